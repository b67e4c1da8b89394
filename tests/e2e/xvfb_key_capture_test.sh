#!/usr/bin/env bash
# Runs the key-capture test program on an X server of its own (Xvfb) with the
# server's auto-repeat on, as on every desktop, and a busy loop beside it, so
# the program takes its events late as on a loaded machine.
#
# Usage: xvfb_key_capture_test.sh path/to/test_x11_keys [gtest options]
set -euo pipefail

program=$(realpath "$1")
shift
work=$(mktemp -d)
xvfb_pid=""
busy_pid=""
cleanup() {
    [ -n "$busy_pid" ] && kill "$busy_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

xset r on
xset q | grep -q "auto repeat:  on" || { echo "FAIL: auto-repeat is not on" >&2; exit 1; }

# A core kept busy beside the program.
(while :; do :; done) &
busy_pid=$!

"$program" "$@"
