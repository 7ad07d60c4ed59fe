#!/bin/sh
# Runs main_window_e2e.py under a private X server and session bus.
#   run_e2e.sh DORVANA DORVANA_CLI SAMPLE_CSV
command -v xvfb-run >/dev/null 2>&1 || { echo "SKIP: xvfb-run is not installed"; exit 77; }
command -v dbus-run-session >/dev/null 2>&1 || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
command -v xdotool >/dev/null 2>&1 || { echo "SKIP: xdotool is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/main_window_e2e.py" "$@"
