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
#
# The builds are reproducible: the compilers see the source and build
# folders under fixed names (-ffile-prefix-map), so no path of the machine
# that built them reaches the libraries; the time stamps the tools write
# (the linker's in each DLL, rcc's of each resource file) are the date of
# the source's last Debian changelog entry (SOURCE_DATE_EPOCH), not the time
# of the build; and the cache key holds everything else that does. A Qt
# relocates itself, so its install folder is not written into it either.

qt_cache_root() {
    echo "${QUANTELO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantelo}"
}

qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev-tools
}

qt_cache_prefix() {
    local name=$1 toolchain=$2
    shift 2
    local key
    key=$( (qt_source_version; printf '%s\n' "$@"; cat "$toolchain"; echo file-prefix-map) |
        sha256sum | cut -c1-12)
    echo "$(qt_cache_root)/qt-$(qt_source_version | tr '+:~' '___')-$name-$key"
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

# fetch_qt_source DIR: unpacks the qt6-base source of exactly
# qt_source_version into DIR, with Debian's patches applied (dpkg-source),
# and prints the source folder. Another version would not match the host's
# tools, so there is no fallback: it fails and says so.
fetch_qt_source() {
    local dir=$1 version
    version=$(qt_source_version)
    ensure_source_lists >&2
    if ! (cd "$dir" && apt-get source -qq "qt6-base=$version" >"$dir/source.log" 2>&1); then
        echo "Cannot fetch the source of qt6-base $version, the version of the installed Qt tools:" >&2
        tail -n 5 "$dir/source.log" >&2
        echo "The package lists may be out of date (apt-get update), or the archive no longer has it." >&2
        return 1
    fi
    local src=$dir/qt6-base-${version%-*}
    src=${src/:*/}
    [ -d "$src" ] || src=$(find "$dir" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    [ -n "$src" ] && [ -d "$src" ] || { echo "no qt6-base source unpacked in $dir" >&2; return 1; }
    echo "$src"
}

# The licence texts that go out with Qt's libraries: Qt's own, and those of
# the third-party code bundled into them, with Qt's attribution of each.
copy_qt_licences() {
    local src=$1 prefix=$2 dir
    mkdir -p "$prefix/licenses/3rdparty"
    cp "$src"/LICENSES/LGPL-3.0-only.txt "$src"/LICENSES/GPL-3.0-only.txt "$prefix/licenses/"
    local name
    for name in zlib libpng libjpeg harfbuzz-ng freetype pcre2 double-conversion md4c tinycbor easing icc \
        sha1 sha3 md4 md5 blake2 rfc6234; do
        dir=$src/src/3rdparty/$name
        [ -d "$dir" ] || continue
        find "$dir" -maxdepth 1 -type f \( -iname 'LICENSE*' -o -iname 'COPYING*' -o -iname 'FTL.TXT' \
            -o -name 'qt_attribution.json' \) |
            while read -r file; do
                mkdir -p "$prefix/licenses/3rdparty/$name"
                cp "$file" "$prefix/licenses/3rdparty/$name/"
            done
    done
    # FreeType keeps its licence texts in docs/.
    if [ -d "$src/src/3rdparty/freetype/docs" ]; then
        mkdir -p "$prefix/licenses/3rdparty/freetype"
        cp "$src"/src/3rdparty/freetype/docs/FTL.TXT "$src"/src/3rdparty/freetype/docs/LICENSE.TXT \
            "$prefix/licenses/3rdparty/freetype/" 2>/dev/null || true
    fi
}

ensure_qt() {
    local name=$1 toolchain=$2
    shift 2
    local prefix
    prefix=$(qt_cache_prefix "$name" "$toolchain" "$@")
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return 0
    fi
    local work
    work=$(mktemp -d "${TMPDIR:-/tmp}/quantelo-qt.XXXXXX")
    echo "Building Qt $(qt_source_version) ($name) in $work (once; kept in $prefix)" >&2
    (
        src=$(fetch_qt_source "$work") || exit 1
        rm -rf "$prefix"
        SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp) || exit 1
        export SOURCE_DATE_EPOCH
        # The source and build folders under fixed names in what the
        # compilers write (assertion texts, debug information).
        local map="-ffile-prefix-map=$src=/qt6-base -ffile-prefix-map=$work/build=/qt6-base-build"
        cmake -S "$src" -B "$work/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_C_FLAGS="$map" -DCMAKE_CXX_FLAGS="$map" \
            -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/configure.log" 2>&1 ||
            { tail -n 40 "$work/configure.log"; exit 1; }
        cmake --build "$work/build" -j"$(build_jobs)" >"$work/build.log" 2>&1 ||
            { grep -m 20 -B 5 'error' "$work/build.log"; tail -n 20 "$work/build.log"; exit 1; }
        cmake --install "$work/build" >/dev/null
        copy_qt_licences "$src" "$prefix"
        # Only a finished install counts: an interrupted build starts again.
        touch "$prefix/.complete"
    ) >&2 || { echo "The Qt build ($name) failed; its logs are in $work" >&2; return 1; }
    rm -rf "$work"
    echo "$prefix"
}
