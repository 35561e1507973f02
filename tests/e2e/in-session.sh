#!/usr/bin/env bash
# The inside of an end-to-end session (run-session.sh starts it under
# dbus-run-session, with the display already up): starts the accessibility
# bus, runs the tests, and ends what it started.
#   in-session.sh TEST [TEST...]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The Debian interpreter: python3-pyatspi is installed for it alone.
python=/usr/bin/python3
# The last resort against a hang; each wait in the tests has its own timeout.
session_timeout=${QUANTELO_E2E_TIMEOUT:-240}

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus_launcher=$!
trap 'kill "$bus_launcher" 2>/dev/null || true; wait "$bus_launcher" 2>/dev/null || true' EXIT

has_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 100); do
    has_owner org.a11y.Bus && break
    sleep 0.1
done
if ! has_owner org.a11y.Bus; then
    echo "session not ready: no accessibility bus" >&2
    exit 1
fi

status=0
(cd "$here" && timeout --kill-after=5 "$session_timeout" "$python" -W ignore::DeprecationWarning -m unittest -v "$@") || status=$?
[ $status -eq 124 ] && echo "the tests did not end within $session_timeout s" >&2
exit $status
