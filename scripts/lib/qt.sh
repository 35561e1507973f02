# Qt built from Debian's own qt6-base source for a platform Debian has no Qt
# for (Windows, the browser), once, and kept in a cache folder. Sourced, not
# run; needs common.sh.
#
#   qt_source_version
#       the Debian source version of the host's Qt tools; every Qt built here
#       is that release, because the host's moc, rcc and uic serve them all.
#   qt_cache_prefix NAME TOOLCHAIN OPTIONS...
#       the cache folder of that source version, toolchain file and options.
#   ensure_qt NAME TOOLCHAIN OPTIONS...
#       builds Qt into that folder unless a finished build is there; prints
#       the folder.
#   qt_host_cmake_dir
#       the host Qt's CMake packages (its moc, rcc and uic), which every Qt
#       built here and every build against one uses.
#
# The builds are reproducible: the compilers see the source and build
# folders under fixed names (-ffile-prefix-map), so no path of the machine
# that built them reaches the libraries; the time stamps the tools write
# (the linker's in each DLL, rcc's of each resource file) are the date of
# the source's last Debian changelog entry (SOURCE_DATE_EPOCH), not the time
# of the build; and the cache key holds everything else that does: the
# source version, the options, the toolchain file, the compiler's package
# and version, and the recipe (the text of build_qt and copy_qt_licences). A
# Qt relocates itself, so its install folder is not written into it either.
#
# A folder is marked complete only after every step succeeded and the
# install was checked (verify_qt_install); anything else is built again.

qt_host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

qt_cache_root() {
    echo "${QUANTELO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantelo}"
}

qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev-tools
}

# qt_compiler_version TOOLCHAIN: the C++ compiler that the toolchain file
# names, the Debian package that holds it with that package's version, and
# what the compiler says of itself. Fails if the compiler is not there.
qt_compiler_version() {
    local toolchain=$1 probe cxx path package
    probe=$(mktemp -d) || return 1
    # shellcheck disable=SC2016 # CMake's variables, not the shell's
    printf '%s\n' 'include("${TOOLCHAIN}")' 'file(WRITE "${OUT}" "${CMAKE_CXX_COMPILER}")' >"$probe/probe.cmake"
    if ! cmake -DTOOLCHAIN="$toolchain" -DOUT="$probe/cxx" -P "$probe/probe.cmake" >"$probe/log" 2>&1 ||
        [ ! -s "$probe/cxx" ]; then
        echo "The toolchain file $toolchain names no C++ compiler:" >&2
        cat "$probe/log" >&2
        rm -rf "$probe"
        return 1
    fi
    cxx=$(cat "$probe/cxx")
    rm -rf "$probe"
    path=$(command -v "$cxx") || { echo "The compiler $cxx of $toolchain is not installed" >&2; return 1; }
    path=$(readlink -f "$path")
    echo "$cxx"
    package=$(dpkg-query -S "$path" 2>/dev/null | sed -n 's/^\([^ :,]*\)[:,].*/\1/p' | head -n 1)
    if [ -n "$package" ]; then
        dpkg-query -W -f='${Package} ${Version}\n' "$package" || return 1
    fi
    "$cxx" --version || { echo "The compiler $cxx does not run" >&2; return 1; }
}

qt_cache_prefix() {
    local name=$1 toolchain=$2
    shift 2
    local version compiler recipe key
    version=$(qt_source_version) || return 1
    compiler=$(qt_compiler_version "$toolchain") || return 1
    recipe=$(declare -f build_qt copy_qt_licences) || return 1
    key=$( (echo "$version"; printf '%s\n' "$@"; cat "$toolchain"; echo "$compiler"; echo "$recipe") |
        sha256sum | cut -c1-12) || return 1
    echo "$(qt_cache_root)/qt-$(echo "$version" | tr '+:~' '___')-$name-$key"
}

ensure_source_lists() {
    if apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources; then
        return 0
    fi
    echo "Enabling Debian's source lists"
    local list=/etc/apt/sources.list.d/quantelo-debian-src.sources
    sed -n '/^Types:/,$p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | sed 's/^Types: .*/Types: deb-src/' |
        as_root tee "$list" >/dev/null
    [ -s "$list" ] || printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
        as_root tee "$list" >/dev/null
    as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
}

# qt_source_folder VERSION: the name of the folder that dpkg-source unpacks
# the qt6-base source of that Debian version into: the upstream version,
# without the epoch before the first colon and the Debian revision after
# the last hyphen.
qt_source_folder() {
    local version=$1
    [[ $version =~ ^[0-9]+: ]] && version=${version#*:}
    echo "qt6-base-${version%-*}"
}

# fetch_qt_source DIR: unpacks the qt6-base source of exactly
# qt_source_version into DIR, with Debian's patches applied (dpkg-source),
# and prints the source folder. Another version would not match the host's
# tools, so there is no fallback: it fails and says so.
fetch_qt_source() {
    local dir=$1 version
    version=$(qt_source_version) || return 1
    ensure_source_lists >&2 || return 1
    if ! (cd "$dir" && apt-get source -qq "qt6-base=$version" >"$dir/source.log" 2>&1); then
        echo "Cannot fetch the source of qt6-base $version, the version of the installed Qt tools:" >&2
        tail -n 5 "$dir/source.log" >&2
        echo "The package lists may be out of date (apt-get update), or the archive no longer has it." >&2
        return 1
    fi
    local src
    src=$dir/$(qt_source_folder "$version")
    [ -d "$src" ] || { echo "apt-get source unpacked no $src" >&2; return 1; }
    echo "$src"
}

# The licence texts that go out with Qt's libraries: Qt's own, and those of
# the third-party code bundled into them, with Qt's attribution of each.
# Fails if any text cannot be copied.
copy_qt_licences() {
    local src=$1 prefix=$2 name dir file
    mkdir -p "$prefix/licenses/3rdparty" || return 1
    cp "$src"/LICENSES/LGPL-3.0-only.txt "$src"/LICENSES/GPL-3.0-only.txt "$prefix/licenses/" || return 1
    for name in zlib libpng libjpeg harfbuzz-ng freetype pcre2 double-conversion md4c tinycbor easing icc \
        sha1 sha3 md4 md5 blake2 rfc6234; do
        dir=$src/src/3rdparty/$name
        [ -d "$dir" ] || continue
        while read -r file; do
            mkdir -p "$prefix/licenses/3rdparty/$name" && cp "$file" "$prefix/licenses/3rdparty/$name/" || return 1
        done < <(find "$dir" -maxdepth 1 -type f \( -iname 'LICENSE*' -o -iname 'COPYING*' -o -iname 'FTL.TXT' \
            -o -name 'qt_attribution.json' \))
    done
    # FreeType keeps its licence texts in docs/.
    for file in "$src"/src/3rdparty/freetype/docs/FTL.TXT "$src"/src/3rdparty/freetype/docs/LICENSE.TXT; do
        [ -f "$file" ] || continue
        mkdir -p "$prefix/licenses/3rdparty/freetype" && cp "$file" "$prefix/licenses/3rdparty/freetype/" || return 1
    done
}

# build_qt SRC WORK PREFIX TOOLCHAIN OPTIONS...: configures, builds and
# installs Qt from SRC into PREFIX, in WORK/build, with its licence texts.
# Stops at the first step that fails (each one is checked: set -e does not
# hold where this is called) and leaves its logs in WORK.
build_qt() {
    local src=$1 work=$2 prefix=$3 toolchain=$4
    shift 4
    local epoch
    epoch=$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp) || return 1
    # The source and build folders under fixed names in what the compilers
    # write (assertion texts, debug information).
    local map="-ffile-prefix-map=$src=/qt6-base -ffile-prefix-map=$work/build=/qt6-base-build"
    rm -rf "$prefix" || return 1
    SOURCE_DATE_EPOCH=$epoch cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$qt_host_cmake_dir" \
        -DCMAKE_C_FLAGS="$map" -DCMAKE_CXX_FLAGS="$map" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/configure.log" 2>&1 ||
        { tail -n 40 "$work/configure.log"; return 1; }
    SOURCE_DATE_EPOCH=$epoch cmake --build "$work/build" -j"$(build_jobs)" >"$work/build.log" 2>&1 ||
        { grep -m 20 -B 5 'error' "$work/build.log"; tail -n 20 "$work/build.log"; return 1; }
    SOURCE_DATE_EPOCH=$epoch cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        { tail -n 20 "$work/install.log"; return 1; }
    copy_qt_licences "$src" "$prefix" || { echo "Copying Qt's licence texts failed"; return 1; }
}

# verify_qt_install PREFIX: whether PREFIX holds an installed Qt that the
# program can use: the CMake packages of the modules it links, every file
# that their targets name (what CMake itself checks when it loads them), and
# Qt's licence texts.
verify_qt_install() {
    local prefix=$1 module path missing=0
    for module in "" Core Gui Widgets Test; do
        path=$prefix/lib/cmake/Qt6$module/Qt6${module}Config.cmake
        [ -f "$path" ] || { echo "The Qt install has no $path"; missing=1; }
    done
    [ -f "$prefix/licenses/LGPL-3.0-only.txt" ] || { echo "The Qt install has no licence texts"; missing=1; }
    [ "$missing" -eq 0 ] || return 1
    local targets
    targets=$(find "$prefix/lib/cmake" -name '*Targets-*.cmake' | sort) || return 1
    [ -n "$targets" ] || { echo "The Qt install has no CMake targets"; return 1; }
    while read -r path; do
        [ -e "$prefix/$path" ] || { echo "The Qt install has no $path, which its CMake targets name"; missing=1; }
    done < <(echo "$targets" | xargs sed -n 's/^list(APPEND _cmake_import_check_files_for_[^ ]* //p' |
        tr ' ' '\n' | sed -n 's/^"\${_IMPORT_PREFIX}\/\(.*\)"[ )]*$/\1/p' | sort -u)
    [ "$missing" -eq 0 ]
}

ensure_qt() {
    local name=$1 toolchain=$2
    shift 2
    local prefix
    prefix=$(qt_cache_prefix "$name" "$toolchain" "$@") || return 1
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return 0
    fi
    local work src
    work=$(mktemp -d "${TMPDIR:-/tmp}/quantelo-qt.XXXXXX") || return 1
    echo "Building Qt $(qt_source_version) ($name) in $work (once; kept in $prefix)" >&2
    if ! src=$(fetch_qt_source "$work") || ! build_qt "$src" "$work" "$prefix" "$toolchain" "$@" >&2 ||
        ! verify_qt_install "$prefix" >&2; then
        echo "The Qt build ($name) failed; its logs are in $work" >&2
        return 1
    fi
    # Only a checked install counts: an interrupted or failed one is built
    # again from the start.
    touch "$prefix/.complete" || return 1
    rm -rf "$work"
    echo "$prefix"
}
