#!/bin/sh
# Installs the desktop integration files into a scratch prefix and checks that
# launcher entry, metainfo and icons find each other under the application id.
# Usage: check-install-tree.sh CMAKE BUILD_DIR SCRATCH_PREFIX APP_ID
set -eu
cmake=$1 build=$2 prefix=$3 id=$4

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" --component desktop
share=$prefix/share
status=0
for file in applications/$id.desktop metainfo/$id.metainfo.xml \
        icons/hicolor/16x16/apps/$id.png icons/hicolor/48x48/apps/$id.png \
        icons/hicolor/64x64/apps/$id.png icons/hicolor/128x128/apps/$id.png; do
    if [ ! -f "$share/$file" ]; then
        echo "FAIL: not installed: share/$file"
        status=1
    fi
done
# Launchers look the icon up by the name in the desktop file.
if ! grep -qx "Icon=$id" "$share/applications/$id.desktop"; then
    echo "FAIL: the desktop file does not name the icon $id"
    status=1
fi
# validate-tree checks that the launchable of the metainfo names an installed
# desktop file.
appstreamcli validate-tree --no-net "$prefix" || status=1
exit $status
