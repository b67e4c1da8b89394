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

source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x_server

xset r on
xset q | grep -q "auto repeat:  on" || { echo "FAIL: auto-repeat is not on" >&2; exit 1; }

# A core kept busy beside the program.
(while :; do :; done) &
busy_pid=$!

"$program" "$@"
