# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Sourced, not run.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Debian packages the build, the program and the tests need.
build_packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev libxcb1-dev unicode-data)
runtime_packages=(fonts-wine fonts-liberation2 fonts-dejavu-core)
# A virtual display, a window manager and keystrokes: screenshots, and the
# headless start of scripts/run.
display_packages=(xvfb xauth x11-utils xdotool openbox imagemagick)
test_packages=(clang clang-tidy clang-format cppcheck libclang-rt-14-dev locales python3 binutils-mingw-w64-x86-64 desktop-file-utils appstream
    dpkg-dev file dbus at-spi2-core python3-pyatspi qt6-gtk-platformtheme
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng)
# The release checks: hardening-check (devscripts), lintian, two clean clones
# for the reproducibility check, a headless Wayland compositor and Qt's
# Wayland plugin.
release_packages=(devscripts lintian git weston qt6-wayland)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the given Debian packages that are not installed yet; refreshes the
# package lists first, and only then.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    # Waits for another apt-get or dpkg that holds the lock instead of failing.
    local lock=(-o DPkg::Lock::Timeout=600)
    as_root apt-get "${lock[@]}" update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# The comma-decimal locale the number tests run under.
ensure_locale() {
    local name=$1 # e.g. de_DE.UTF-8
    local short
    short=$(echo "$name" | sed 's/UTF-8/utf8/')
    locale -a 2>/dev/null | grep -qx "$short" && return 0
    as_root sed -i "s/^# *\($name\)/\1/" /etc/locale.gen
    grep -q "^$name" /etc/locale.gen || echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
}

# Parallel jobs for builds and test runs: one a processor.
build_jobs() { nproc 2>/dev/null || echo 2; }

# configure_and_build BUILD_DIR [cmake options...] [--target NAME]
configure_and_build() {
    local dir=$1
    shift
    local options=() build_args=()
    while [ $# -gt 0 ]; do
        case $1 in
        --target) build_args+=(--target "$2"); shift 2 ;;
        *) options+=("$1"); shift ;;
        esac
    done
    cmake -S "$repo_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
    cmake --build "$dir" -j"$(build_jobs)" "${build_args[@]}"
}
