#!/usr/bin/env bash
# Runs one command on a virtual X display of its own (scripts/lib/display.sh),
# with Qt on its xcb platform, and ends the display afterwards.
#   on-virtual-display.sh COMMAND [ARGUMENT...]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/lib/display.sh
source "$here/../../scripts/lib/display.sh"
command -v Xvfb >/dev/null || {
    echo "Xvfb is missing (scripts/test installs it)" >&2
    exit 1
}
trap stop_virtual_display EXIT
start_virtual_display
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
