# The browser build: Debian's Emscripten, a Qt for WebAssembly built once
# from Debian's own qt6-base source and kept in a cache folder (qt.sh), and
# node and headless Chromium to run what was built. Sourced, not run; needs
# common.sh and qt.sh.

# Emscripten with its prebuilt system libraries, the host Qt tools (moc,
# rcc, uic) the wasm Qt uses, the number conversions' libraries, Chromium
# and Tesseract (which reads the message box) for the end-to-end run, and
# the faces the page bundles. node and npm come with the machine's nodejs.
web_packages=(emscripten ninja-build qt6-base-dev-tools dpkg-dev xz-utils zip unzip
    googletest libfast-float-dev libfmt-dev chromium firefox-esr nodejs tesseract-ocr tesseract-ocr-eng
    fonts-liberation2 fonts-wine python3)

# What of Qt the program uses in a page: Core, Gui and Widgets, with Test
# for the suites, and the wasm platform, which draws through WebGL (so
# OpenGL stays on). Everything Qt would otherwise take from the system is its
# bundled copy; the pictures are compiled in, so no image format but PNG.
web_qt_options=(
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_freetype=OFF
)

emscripten_version() {
    dpkg-query -W -f='${Version}' emscripten
}

# Qt's CMake finds Emscripten through an emsdk folder (EMSDK, with a
# .emscripten file naming the root below it). Debian's Emscripten is not one,
# so a stand-in is made in the cache, its root linking to Debian's files and
# commands. Exports EMSDK and the variables Debian's tools need.
ensure_emsdk() {
    export EMSDK
    EMSDK="$(qt_cache_root)/emsdk-$(emscripten_version | tr '+:~' '___')"
    local root=$EMSDK/upstream/emscripten
    if [ ! -x "$root/emcc" ]; then
        mkdir -p "$root"
        local entry
        for entry in /usr/share/emscripten/*; do
            ln -sfn "$entry" "$root/$(basename "$entry")"
        done
        for entry in emcc em++ emar emranlib emcmake emconfigure em-config; do
            ln -sfn "/usr/bin/$entry" "$root/$entry"
        done
        echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$EMSDK/.emscripten"
    fi
    # Debian's Emscripten finds acorn and the other JavaScript it runs there.
    export NODE_PATH=/usr/share/nodejs
    export EM_CACHE=/usr/share/emscripten/cache
}

web_toolchain() {
    echo "$EMSDK/upstream/emscripten/cmake/Modules/Platform/Emscripten.cmake"
}

# Builds Qt for WebAssembly into its cache folder unless it is there already;
# prints the folder. The Emscripten version is part of the key.
ensure_web_qt() {
    ensure_emsdk
    ensure_qt wasm "$(web_toolchain)" "${web_qt_options[@]}" "-DQUANTELO_EMSCRIPTEN=$(emscripten_version)"
}

# configure_and_build_web BUILD_DIR [cmake options...]: the program and its
# tests built for the browser against the cached Qt, whose folder is in
# QUANTELO_WEB_QT.
configure_and_build_web() {
    local dir=$1
    shift
    ensure_emsdk
    if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git -C "$repo_root" rev-parse HEAD >/dev/null 2>&1; then
        SOURCE_DATE_EPOCH=$(git -C "$repo_root" log -1 --format=%ct)
        export SOURCE_DATE_EPOCH
    fi
    mkdir -p "$dir"
    "$QUANTELO_WEB_QT/bin/qt-cmake" -S "$repo_root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$(web_toolchain)" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQUANTELO_QT_SOURCE="$(qt_source_version)" "$@" >"$dir/quantelo-configure.log" 2>&1 ||
        { tail -n 30 "$dir/quantelo-configure.log"; return 1; }
    cmake --build "$dir" -j"$(build_jobs)"
}

# stage_web BUILD_DIR: the static folder and its zip, made from the build:
#   BUILD_DIR/Quantelo-Power-<version>-web/      what a web server hosts
#   BUILD_DIR/Quantelo-Power-<version>-web.zip
# Prints their names and sizes. File times in the zip are those of the last
# commit, so two builds of one commit give the same bytes.
stage_web() {
    local dir=$1 version folder
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
    folder=$dir/Quantelo-Power-$version-web
    rm -rf "$folder" "$folder.zip"
    cmake --install "$dir" --prefix "$folder" >/dev/null
    local stamp=${SOURCE_DATE_EPOCH:-0}
    find "$folder" -exec touch -h -d "@$stamp" {} +
    (cd "$dir" && find "$(basename "$folder")" -print | LC_ALL=C sort |
        TZ=UTC zip -q -X -D -@ "$(basename "$folder").zip")
    echo "$folder/  $(du -sb "$folder" | cut -f1) bytes in $(find "$folder" -type f | wc -l) files"
    echo "$folder.zip  $(stat -c %s "$folder.zip") bytes"
    local wasm=$folder/Quantelo-Power.wasm
    echo "Quantelo-Power.wasm  $(stat -c %s "$wasm") bytes, $(gzip -9n <"$wasm" | wc -c) gzipped"
}

# The driver of the end-to-end run, pinned by tests/web/package-lock.json.
ensure_web_driver() {
    if [ ! -d "$repo_root/tests/web/node_modules/puppeteer-core" ]; then
        (cd "$repo_root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
    fi
}

# The browser stage of scripts/test: Qt for WebAssembly (built once), the
# program and its suites built with Emscripten, the suites (ctest: the
# core's under node, the layout suite in headless Chromium), the static
# folder and its zip, and the program end to end in headless Chromium and
# in Firefox (on a virtual display: needs display.sh).
web_stage() {
    local dir=$1
    QUANTELO_WEB_QT=$(ensure_web_qt)
    export QUANTELO_WEB_QT
    configure_and_build_web "$dir" -DBUILD_TESTING=ON
    # The layout suite runs in Chromium too.
    ensure_web_driver
    ctest --test-dir "$dir" --output-on-failure -j"$(build_jobs)"
    stage_web "$dir"
    local folder
    folder=$(ls -d "$dir"/Quantelo-Power-*-web)
    node "$repo_root/tests/web/e2e.mjs" "$folder" ${SCREENSHOTS:-}
    start_virtual_display
    local status=0
    node "$repo_root/tests/web/e2e.mjs" --firefox "$folder" || status=$?
    stop_virtual_display
    return $status
}
