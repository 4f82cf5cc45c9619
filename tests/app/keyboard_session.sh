#!/usr/bin/env bash
# Runs keyboard_session.py on a display of its own: Xvfb, a D-Bus session (for the accessibility
# bus) and the openbox window manager. Usage: keyboard_session.sh QUORELLA QUORELLA_CLI
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${QUORELLA_KEYBOARD_DISPLAY:-}" ]; then
  export QUORELLA_KEYBOARD_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- bash "$0" "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# The window manager owns the display once it has selected the root window's redirect events.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
/usr/bin/python3 "$here/keyboard_session.py" "$@"
