#!/usr/bin/env bash
# Runs an end-to-end test script on a private X server and session bus.
# Usage: run_e2e.sh SCRIPT.py ARGUMENTS... (the script's own arguments)
# Exit 77 (skipped) with the reason when Xvfb or AT-SPI is not available.
set -u
script="$1"; shift
for tool in xvfb-run dbus-run-session xdotool; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is not installed"; exit 77; fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "skipped: python3-pyatspi is not installed"; exit 77
fi
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR="$runtime" exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- /usr/bin/python3 "$script" "$@"
