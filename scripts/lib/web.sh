# The browser build: the page (web/) over the core compiled with Debian's
# Emscripten, its generator built for this machine, and node, headless
# Chromium and Firefox ESR to run and drive what was built. Sourced, not
# run; needs common.sh (and display.sh for web_stage).

# Emscripten with its prebuilt system libraries, the number conversions'
# libraries and GoogleTest's source (the core's suites under node), the
# faces the page bundles and fonttools with brotli to subset them to WOFF2,
# and the browsers the end-to-end run drives. node and npm come with nodejs.
web_packages=(emscripten ninja-build cmake g++ zip unzip googletest libfast-float-dev libfmt-dev
    chromium firefox-esr nodejs fonts-liberation2 fonts-wine fonttools python3-brotli python3)

# Debian's Emscripten finds acorn and the other JavaScript it runs in
# NODE_PATH, and its prebuilt system libraries in its own cache.
web_environment() {
    export NODE_PATH=/usr/share/nodejs
    export EM_CACHE=/usr/share/emscripten/cache
}

# build_page_generator DIR: the page generator (web/generator) built for
# this machine in DIR; prints its path.
build_page_generator() {
    local dir=$1
    cmake -S "$repo_root/web/generator" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$dir.log" 2>&1 ||
        { tail -n 30 "$dir.log" >&2; return 1; }
    cmake --build "$dir" -j"$(build_jobs)" >&2 || return 1
    realpath "$dir/quantelo_page_generator"
}

# configure_and_build_web BUILD_DIR [cmake options...]: the core, its
# suites (with BUILD_TESTING=ON) and the page, built with Emscripten.
configure_and_build_web() {
    local dir=$1
    shift
    web_environment
    if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git -C "$repo_root" rev-parse HEAD >/dev/null 2>&1; then
        SOURCE_DATE_EPOCH=$(git -C "$repo_root" log -1 --format=%ct)
        export SOURCE_DATE_EPOCH
    fi
    # A folder that the Qt for WebAssembly build configured is made anew.
    if grep -qs '^QT_CHAINLOAD_TOOLCHAIN_FILE' "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    mkdir -p "$dir"
    local generator
    generator=$(build_page_generator "$dir/generator")
    emcmake cmake -S "$repo_root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DQUANTELO_PAGE_GENERATOR="$generator" "$@" >"$dir/quantelo-configure.log" 2>&1 ||
        { tail -n 30 "$dir/quantelo-configure.log"; return 1; }
    cmake --build "$dir" -j"$(build_jobs)"
}

# web_folder BUILD_DIR: the static folder of that build, named by the
# project's version.
# stage_web BUILD_DIR: the static folder and its zip, made from the build:
#   BUILD_DIR/Quantelo-Power-<version>-web/      what a web server hosts
#   BUILD_DIR/Quantelo-Power-<version>-web.zip
# Prints their names and sizes, and what the first view moves gzipped.
# File times in the zip are those of the last commit, so two builds of one
# commit give the same bytes.
web_folder() {
    local dir=$1 version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
    [ -n "$version" ] || { echo "no project version in $dir/CMakeCache.txt" >&2; return 1; }
    echo "$dir/Quantelo-Power-$version-web"
}

stage_web() {
    local dir=$1 folder
    folder=$(web_folder "$dir")
    rm -rf "$folder" "$folder.zip"
    cmake --install "$dir" --prefix "$folder" >/dev/null
    local stamp=${SOURCE_DATE_EPOCH:-0}
    find "$folder" -exec touch -h -d "@$stamp" {} +
    (cd "$dir" && find "$(basename "$folder")" -print | LC_ALL=C sort |
        TZ=UTC zip -q -X -D -@ "$(basename "$folder").zip")
    echo "$folder/  $(du -sb "$folder" | cut -f1) bytes in $(find "$folder" -type f | wc -l) files"
    echo "$folder.zip  $(stat -c %s "$folder.zip") bytes"
    local file total=0 size
    for file in index.html page.css layout.css app.js quantelo.js quantelo.wasm tahoma.woff2 sans.woff2 \
        sans-bold.woff2 title.jpg manifest.webmanifest icon-192.png icon-512.png sw.js; do
        size=$(gzip -9n <"$folder/$file" | wc -c)
        total=$((total + size))
        echo "  $file  $(stat -c %s "$folder/$file") bytes, $size gzipped"
    done
    echo "first view, gzipped: $total bytes"
}

# The driver of the end-to-end run and axe-core, exactly as pinned by
# tests/web/package-lock.json.
ensure_web_driver() {
    (cd "$repo_root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
}

# The browser stage of scripts/test: the core's suites built with
# Emscripten and run under node (ctest), the static folder and its zip, and
# the page end to end in headless Chromium and in Firefox ESR (on a virtual
# display: needs display.sh). Whatever it starts it stops, however it ends.
web_stage() {
    local dir=$1
    configure_and_build_web "$dir" -DBUILD_TESTING=ON
    ctest --test-dir "$dir" --output-on-failure -j"$(build_jobs)"
    stage_web "$dir"
    ensure_web_driver
    local folder
    folder=$(web_folder "$dir")
    node "$repo_root/tests/web/e2e.mjs" "$folder" ${SCREENSHOTS:-}
    trap stop_virtual_display EXIT
    start_virtual_display
    node "$repo_root/tests/web/e2e.mjs" --firefox "$folder"
    stop_virtual_display
    trap - EXIT
}
