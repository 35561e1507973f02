# The browser build: Debian's Emscripten, a Qt for WebAssembly built once
# from Debian's own qt6-base source and kept in a cache folder (qt.sh), and
# node and headless Chromium to run what was built. Sourced, not run; needs
# common.sh and qt.sh.

# Emscripten with its prebuilt system libraries, the host Qt tools (moc,
# rcc, uic) the wasm Qt uses, Chromium for the end-to-end run, and the faces
# the page bundles.
web_packages=(emscripten ninja-build qt6-base-dev-tools dpkg-dev xz-utils zip unzip
    googletest libfast-float-dev libfmt-dev chromium nodejs npm fonts-liberation2 fonts-wine python3)

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
