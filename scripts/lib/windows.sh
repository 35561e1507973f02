# The Windows build: Debian's MinGW-w64 cross compilers, a Qt for Windows
# built once from Debian's own qt6-base source and kept in a cache folder,
# and Wine on a virtual display to run what was built. Sourced, not run;
# needs common.sh and qt.sh.

# The cross compilers, the tools that make the downloads, Wine, the host
# Qt tools (moc, rcc, uic) that the cross-built Qt uses: the same 6.4.2, and
# Tesseract, which reads a status caption in the end-to-end run.
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 nsis
    wine wine64 ninja-build qt6-base-dev-tools dpkg-dev xz-utils xclip zip unzip
    googletest fonts-wine icoutils tesseract-ocr tesseract-ocr-eng)

windows_toolchain="$repo_root/cmake/mingw-w64-x86_64.cmake"

# What of Qt the program uses: Core, Gui, Widgets and Test, the windows
# platform plugin with the windowsvista style, the minimal platform for
# headless test runs, and Qt's FreeType font engine, which draws the faces
# under Wine (forms/platform/faces.h says why). The jpeg and ico image plugins are
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

# Builds Qt for Windows into its cache folder unless it is there already;
# prints the folder.
ensure_windows_qt() {
    ensure_qt win64 "$windows_toolchain" "${windows_qt_options[@]}"
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
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$qt_host_cmake_dir" \
        -DQUANTELO_QT_SOURCE="$(qt_source_version)" -DQUANTELO_BENCH=OFF "$@" >/dev/null
    cmake --build "$dir" -j"$(build_jobs)"
}

# windows_package_name BUILD_DIR: the name of the downloads of that build
# (Quantelo-Power-<version>-win64), as its CPack configuration gives it.
windows_package_name() {
    local name
    name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$1/CPackConfig.cmake")
    [ -n "$name" ] || { echo "No package name in $1/CPackConfig.cmake" >&2; return 1; }
    echo "$name"
}

# Makes the two downloads in BUILD_DIR and prints their names and sizes and
# the DLLs the portable folder holds.
package_windows() {
    local dir=$1 name
    name=$(windows_package_name "$dir") || return 1
    (cd "$dir" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null) || return 1
    local zip=$dir/$name.zip setup=$dir/$name-setup.exe
    ls -l "$zip" "$setup" | awk '{printf "%s  %d bytes\n", $NF, $5}'
    echo "DLLs in the portable folder:"
    unzip -Z1 "$zip" | grep -i '\.dll$' | sed 's|^[^/]*/|  |'
}

# The Windows stage of scripts/test: the build with its GoogleTest and Qt
# Test suites under Wine (ctest runs them through scripts/lib/wine-run), the
# two downloads, the portable folder end to end, and the installer in a
# fresh prefix. Needs display.sh. With SCREENSHOTS=DIR the end-to-end run
# also saves the Windows screenshots there. Run it in a subshell, as
# scripts/test does: when that ends, however it ends, the stage stops the
# display and the Wine server it started and removes its unpacked folder.
windows_stage() {
    local dir=$1
    QUANTELO_WINDOWS_QT=$(ensure_windows_qt)
    export QUANTELO_WINDOWS_QT
    configure_and_build_windows "$dir" -DBUILD_TESTING=ON
    windows_stage_unpacked=
    trap 'wineserver -k 2>/dev/null || true; stop_virtual_display; [ -z "$windows_stage_unpacked" ] || rm -rf "$windows_stage_unpacked"' EXIT
    start_virtual_display --wm
    ensure_wine_prefix
    local status=0 name
    ctest --test-dir "$dir" --output-on-failure -j"$(build_jobs)" || status=$?
    if [ "$status" -eq 0 ]; then
        name=$(windows_package_name "$dir")
        package_windows "$dir"
        windows_stage_unpacked=$(mktemp -d)
        unzip -q "$dir/$name.zip" -d "$windows_stage_unpacked"
        "$repo_root/tests/windows/e2e.sh" "$windows_stage_unpacked/$name" ${SCREENSHOTS:-} || status=$?
    fi
    if [ "$status" -eq 0 ]; then
        "$repo_root/tests/windows/installer.sh" "$dir/$name-setup.exe" || status=$?
    fi
    return "$status"
}
