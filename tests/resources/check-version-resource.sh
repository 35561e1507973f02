#!/bin/sh
# Compiles the Windows resource script with the MinGW resource compiler and
# hands the result to the reader that checks it.
# Usage: check-version-resource.sh RC_FILE RES_FILE PREPROCESSOR READER
# Exits 77 (skipped) when the resource compiler is not installed.
set -eu
rc=$1 res=$2 preprocessor=$3 reader=$4

windres=$(command -v x86_64-w64-mingw32-windres || true)
if [ -z "$windres" ]; then
    echo "SKIPPED: x86_64-w64-mingw32-windres not found (Debian package binutils-mingw-w64-x86-64)"
    exit 77
fi
# windres runs the script through a C preprocessor first; the one of the
# build's own compiler serves, so no MinGW compiler is needed.
rm -f "$res"
"$windres" --preprocessor="$preprocessor" --preprocessor-arg=-E --preprocessor-arg=-xc \
    --preprocessor-arg=-DRC_INVOKED -O res "$rc" "$res"
exec "$reader"
