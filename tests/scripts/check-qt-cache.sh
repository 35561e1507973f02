#!/usr/bin/env bash
# The Qt cache of scripts/lib/qt.sh, with CMake and the source stubbed: a
# build that fails at any step, or an install that is not whole, is never
# marked complete; a good one is, and is used again without a build; the key
# follows each thing that makes the bytes; the source folder's name drops
# only an epoch.
set -uo pipefail
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo_root/scripts/lib/common.sh"
source "$repo_root/scripts/lib/qt.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QUANTELO_CACHE=$tmp/cache TMPDIR=$tmp
mkdir -p "$tmp/bin"
real_cmake=$(command -v cmake)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A compiler that only tells its version, named by the toolchain file.
cat >"$tmp/bin/fakecxx" <<'SH'
#!/bin/sh
echo "fakecxx ${FAKE_CXX_VERSION:-1.0}"
SH
# CMake: script mode is the real one; configure, build and install fail at
# the step STUB_FAIL names, and the install writes what STUB_INSTALL says.
cat >"$tmp/bin/cmake" <<SH
#!/bin/bash
echo "\$*" >>"$tmp/cmake-calls"
case "\$*" in
*" -P "*) exec "$real_cmake" "\$@" ;;
"-S "*)
    [ "\${STUB_FAIL:-}" = configure ] && exit 1
    for arg; do case \$arg in -DCMAKE_INSTALL_PREFIX=*) prefix=\${arg#*=} ;; -B) ;; esac; done
    build=\$(echo "\$*" | sed 's/.* -B \([^ ]*\) .*/\1/')
    mkdir -p "\$build" && echo "\$prefix" >"\$build/prefix" ;;
"--build "*) [ "\${STUB_FAIL:-}" = build ] && exit 1; true ;;
"--install "*)
    [ "\${STUB_FAIL:-}" = install ] && exit 1
    prefix=\$(cat "\$2/prefix")
    [ "\${STUB_INSTALL:-whole}" = none ] && exit 0
    for module in "" Core Gui Widgets Test; do
        mkdir -p "\$prefix/lib/cmake/Qt6\$module"
        touch "\$prefix/lib/cmake/Qt6\$module/Qt6\${module}Config.cmake"
    done
    mkdir -p "\$prefix/bin"
    touch "\$prefix/bin/Qt6Core.dll"
    [ "\${STUB_INSTALL:-whole}" = no-gui-dll ] || touch "\$prefix/bin/Qt6Gui.dll"
    printf '%s\n' 'list(APPEND _cmake_import_check_files_for_Qt6::Core "\${_IMPORT_PREFIX}/bin/Qt6Core.dll" )' \
        >"\$prefix/lib/cmake/Qt6Core/Qt6CoreTargets-release.cmake"
    printf '%s\n' 'list(APPEND _cmake_import_check_files_for_Qt6::Gui "\${_IMPORT_PREFIX}/bin/Qt6Gui.dll" )' \
        >"\$prefix/lib/cmake/Qt6Gui/Qt6GuiTargets-release.cmake" ;;
*) echo "unexpected cmake \$*" >&2; exit 2 ;;
esac
SH
chmod +x "$tmp/bin/fakecxx" "$tmp/bin/cmake"
export PATH=$tmp/bin:$PATH

toolchain=$tmp/toolchain.cmake
echo 'set(CMAKE_CXX_COMPILER fakecxx)' >"$toolchain"

# The source as dpkg-source unpacks it; without LICENSES when STUB_SOURCE is
# no-licences.
fetch_qt_source() {
    local src=$1/qt6-base-6.4.2+dfsg
    mkdir -p "$src/debian" "$src/src/3rdparty/zlib"
    printf '%s\n' 'qt6-base (6.4.2+dfsg-10) unstable; urgency=medium' '' '  * Stub.' '' \
        ' -- Someone <someone@example.org>  Mon, 02 Jan 2023 10:00:00 +0000' >"$src/debian/changelog"
    touch "$src/src/3rdparty/zlib/LICENSE"
    if [ "${STUB_SOURCE:-}" != no-licences ]; then
        mkdir -p "$src/LICENSES"
        touch "$src/LICENSES/LGPL-3.0-only.txt" "$src/LICENSES/GPL-3.0-only.txt"
    fi
    echo "$src"
}

# name | environment | whether the build counts as complete
rows=(
    "configure fails|STUB_FAIL=configure|no"
    "build fails|STUB_FAIL=build|no"
    "install fails|STUB_FAIL=install|no"
    "install writes nothing|STUB_INSTALL=none|no"
    "install misses a file its targets name|STUB_INSTALL=no-gui-dll|no"
    "licence texts missing|STUB_SOURCE=no-licences|no"
    "every step succeeds|STUB_NONE=1|yes"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name setting complete <<<"$row"
    rm -rf "$QUANTELO_CACHE"
    prefix=$(qt_cache_prefix test "$toolchain" -DOPTION=1)
    out=$(env "$setting" bash -c "$(declare -f); $(declare -p qt_host_cmake_dir); ensure_qt test '$toolchain' -DOPTION=1" 2>"$tmp/err")
    status=$?
    if [ "$complete" = yes ]; then
        [ "$status" -eq 0 ] && [ "$out" = "$prefix" ] || fail "$name: ensure_qt failed (status $status): $(cat "$tmp/err")"
        [ -f "$prefix/.complete" ] || fail "$name: not marked complete"
    else
        [ "$status" -ne 0 ] || fail "$name: ensure_qt succeeded"
        [ ! -e "$prefix/.complete" ] || fail "$name: marked complete"
        [ -z "$out" ] || fail "$name: printed a folder: $out"
    fi
done

# The complete build of the last row is used again: no configure, no build.
: >"$tmp/cmake-calls"
out=$(ensure_qt test "$toolchain" -DOPTION=1 2>/dev/null) || fail "reuse: ensure_qt failed"
[ "$out" = "$(qt_cache_prefix test "$toolchain" -DOPTION=1)" ] || fail "reuse: printed $out"
if grep -qE '^(-S|--build|--install) ' "$tmp/cmake-calls"; then
    fail "reuse: CMake built again: $(cat "$tmp/cmake-calls")"
fi

# The key: what each row changes gives another folder; nothing changed gives
# the same one.
base=$(qt_cache_prefix test "$toolchain" -DOPTION=1)
[ "$base" = "$(qt_cache_prefix test "$toolchain" -DOPTION=1)" ] || fail "key: not stable"
other_toolchain=$tmp/other-toolchain.cmake
printf '%s\n' 'set(CMAKE_CXX_COMPILER fakecxx)' 'set(CMAKE_SYSTEM_PROCESSOR x86_64)' >"$other_toolchain"
key_rows=(
    "an option|qt_cache_prefix test $toolchain -DOPTION=2"
    "the toolchain file|qt_cache_prefix test $other_toolchain -DOPTION=1"
    "the compiler's version|env FAKE_CXX_VERSION=2.0 bash -c \"\$(declare -f); qt_cache_prefix test $toolchain -DOPTION=1\""
    "the recipe|eval \"\$(declare -f build_qt | sed 's/-ffile-prefix-map/-fdebug-prefix-map/')\"; qt_cache_prefix test $toolchain -DOPTION=1"
)
for row in "${key_rows[@]}"; do
    IFS='|' read -r name command <<<"$row"
    other=$( (eval "$command") 2>&1)
    [ -n "$other" ] && [ "$other" != "$base" ] || fail "key: $name does not change it ($other)"
done
echo 'set(CMAKE_CXX_COMPILER no-such-compiler)' >"$tmp/missing.cmake"
if qt_cache_prefix test "$tmp/missing.cmake" >/dev/null 2>&1; then
    fail "key: made without the compiler the toolchain names"
fi

# Debian version | folder that dpkg-source unpacks
folder_rows=(
    "6.4.2+dfsg-10|qt6-base-6.4.2+dfsg"
    "1:6.4.2+dfsg-10|qt6-base-6.4.2+dfsg"
    "6.4.2+dfsg-10+deb12u1|qt6-base-6.4.2+dfsg"
    "2:6.4.2~rc1-1|qt6-base-6.4.2~rc1"
    "6.4.2|qt6-base-6.4.2"
)
for row in "${folder_rows[@]}"; do
    IFS='|' read -r version expected <<<"$row"
    actual=$(qt_source_folder "$version")
    [ "$actual" = "$expected" ] || fail "source folder of $version: $actual, expected $expected"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "The Qt cache keeps only whole builds; its key and source folder are right."
