# The Windows build: Debian's MinGW-w64 cross compilers, a Qt for Windows
# built once from Debian's own qt6-base source and kept in a cache folder,
# and Wine on a virtual display to run what was built. Sourced, not run;
# needs common.sh.

# The cross compilers, the tools that make the downloads, Wine, and the host
# Qt tools (moc, rcc, uic) that the cross-built Qt uses: the same 6.4.2.
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 nsis
    wine wine64 ninja-build qt6-base-dev-tools dpkg-dev xz-utils xclip zip unzip
    googletest fonts-wine)

windows_toolchain="$repo_root/cmake/mingw-w64-x86_64.cmake"

# What of Qt the program uses: Core, Gui, Widgets and Test, the windows
# platform plugin with the windowsvista style, the minimal platform for
# headless test runs, and Qt's FreeType font engine, which draws the faces
# under Wine (forms/fonts.cpp says why). The jpeg and ico image plugins are
# built for the tests that compare the pictures with their sources; the
# program needs none. Everything Qt would otherwise take from the system is
# its bundled copy.
windows_qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_zstd=OFF
    -DFEATURE_jpeg=ON -DFEATURE_system_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    # Debian's +dfsg tarball has no wintab sources, and MinGW no wintab.h.
    -DFEATURE_tabletevent=OFF
    # MinGW lacks DirectWrite 3, and without Direct2D the windows plugin would
    # reference a font database that QtGui then does not build.
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    # Without OpenGL there is no OpenGL library to choose at run time.
    -DFEATURE_dynamicgl=OFF
)

windows_qt_version() {
    # The Debian source version of the host's Qt tools: the cross-built Qt
    # must be the same release.
    dpkg-query -W -f='${source:Version}' qt6-base-dev-tools
}

# The cache folder of this source version and these options.
windows_qt_prefix() {
    local key
    key=$( (windows_qt_version; printf '%s\n' "${windows_qt_options[@]}"; cat "$windows_toolchain") |
        sha256sum | cut -c1-12)
    echo "${QUANTELO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantelo}/qt-$(windows_qt_version | tr '+:~' '___')-win64-$key"
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

# The licence texts that go out with Qt's libraries: Qt's own, and those of
# the third-party code bundled into them, with Qt's attribution of each.
copy_qt_licences() {
    local src=$1 prefix=$2 dir
    mkdir -p "$prefix/licenses/3rdparty"
    cp "$src"/LICENSES/LGPL-3.0-only.txt "$src"/LICENSES/GPL-3.0-only.txt "$prefix/licenses/"
    # The bundled code that the Windows libraries and plugins compile in.
    local name
    for name in zlib libpng libjpeg harfbuzz-ng pcre2 double-conversion md4c tinycbor easing icc \
        sha1 sha3 md4 md5 blake2 rfc6234; do
        dir=$src/src/3rdparty/$name
        [ -d "$dir" ] || continue
        find "$dir" -maxdepth 1 -type f \( -iname 'LICENSE*' -o -iname 'COPYING*' -o -name 'qt_attribution.json' \) |
            while read -r file; do
                mkdir -p "$prefix/licenses/3rdparty/$name"
                cp "$file" "$prefix/licenses/3rdparty/$name/"
            done
    done
}

# Builds Qt for Windows into its cache folder unless it is there already;
# prints the folder.
ensure_windows_qt() {
    local prefix
    prefix=$(windows_qt_prefix)
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return 0
    fi
    ensure_source_lists >&2
    local work
    work=$(mktemp -d "${TMPDIR:-/tmp}/quantelo-qt.XXXXXX")
    echo "Building Qt $(windows_qt_version) for Windows in $work (once; kept in $prefix)" >&2
    (
        cd "$work"
        # dpkg-source unpacks the source and applies Debian's patches.
        apt-get source -qq "qt6-base=$(windows_qt_version)" >/dev/null 2>&1 ||
            apt-get source -qq qt6-base >/dev/null
        local src
        src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
        [ -n "$src" ] || { echo "no qt6-base source unpacked" >&2; exit 1; }
        rm -rf "$prefix"
        cmake -S "$src" -B "$work/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_INSTALL_PREFIX="$prefix" "${windows_qt_options[@]}" >"$work/configure.log" 2>&1 ||
            { tail -n 40 "$work/configure.log"; exit 1; }
        cmake --build "$work/build" -j"$(build_jobs)" >"$work/build.log" 2>&1 ||
            { grep -m 20 -B 5 'error' "$work/build.log"; tail -n 20 "$work/build.log"; exit 1; }
        cmake --install "$work/build" >/dev/null
        copy_qt_licences "$src" "$prefix"
        # Only a finished install counts: an interrupted build starts again.
        touch "$prefix/.complete"
    ) >&2 || { echo "The Qt build for Windows failed; its logs are in $work" >&2; return 1; }
    rm -rf "$work"
    echo "$prefix"
}

# The Wine prefix that the tests run in: made once (wineboot, about 10 s and
# 700 MB) and kept beside the Qt build. Exports WINEPREFIX.
ensure_wine_prefix() {
    export WINEPREFIX=${QUANTELO_WINE_PREFIX:-${QUANTELO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantelo}/wine-prefix}
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Wine's helper processes keep the output pipes of the process that
    # starts them open; started here, ctest's first test cannot hang on them.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# configure_and_build_windows BUILD_DIR [cmake options...]: the program, its
# tests and its downloads built for Windows against the cached Qt, whose
# folder is in QUANTELO_WINDOWS_QT. Two builds of the same commit give the
# same downloads: SOURCE_DATE_EPOCH comes from the last commit.
configure_and_build_windows() {
    local dir=$1
    shift
    if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git -C "$repo_root" rev-parse HEAD >/dev/null 2>&1; then
        SOURCE_DATE_EPOCH=$(git -C "$repo_root" log -1 --format=%ct)
        export SOURCE_DATE_EPOCH
    fi
    cmake -S "$repo_root" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" -DCMAKE_PREFIX_PATH="$QUANTELO_WINDOWS_QT" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQUANTELO_QT_SOURCE="$(windows_qt_version)" -DQUANTELO_BENCH=OFF "$@" >/dev/null
    cmake --build "$dir" -j"$(build_jobs)"
}

# Makes the two downloads in BUILD_DIR and prints their names and sizes and
# the DLLs the portable folder holds.
package_windows() {
    local dir=$1
    (cd "$dir" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
    local zip setup
    zip=$(ls "$dir"/Quantelo-Power-*-win64.zip)
    setup=$(ls "$dir"/Quantelo-Power-*-win64-setup.exe)
    ls -l "$zip" "$setup" | awk '{printf "%s  %d bytes\n", $NF, $5}'
    echo "DLLs in the portable folder:"
    unzip -Z1 "$zip" | grep -i '\.dll$' | sed 's|^[^/]*/|  |'
}

# The Windows stage of scripts/test: the build with its GoogleTest and Qt
# Test suites under Wine (ctest runs them through scripts/lib/wine-run), the
# two downloads, the portable folder end to end, and the installer in a
# fresh prefix. Needs display.sh. With SCREENSHOTS=DIR the end-to-end run
# also saves the Windows screenshots there.
windows_stage() {
    local dir=$1
    QUANTELO_WINDOWS_QT=$(ensure_windows_qt)
    export QUANTELO_WINDOWS_QT
    configure_and_build_windows "$dir" -DBUILD_TESTING=ON
    start_virtual_display --wm
    ensure_wine_prefix
    local status=0
    ctest --test-dir "$dir" --output-on-failure -j"$(build_jobs)" || status=$?
    if [ "$status" -eq 0 ]; then
        package_windows "$dir"
        local unpacked
        unpacked=$(mktemp -d)
        unzip -q "$dir"/Quantelo-Power-*-win64.zip -d "$unpacked"
        "$repo_root/tests/windows/e2e.sh" "$(ls -d "$unpacked"/Quantelo-Power-*)" ${SCREENSHOTS:-} || status=$?
        rm -rf "$unpacked"
    fi
    if [ "$status" -eq 0 ]; then
        "$repo_root/tests/windows/installer.sh" "$(ls "$dir"/Quantelo-Power-*-win64-setup.exe)" || status=$?
    fi
    wineserver -k 2>/dev/null || true
    stop_virtual_display
    return "$status"
}
