#!/usr/bin/env bash
# velmaro starts under a headless Wayland compositor (weston) and paints its
# window: --quit-after-paint ends it after the first paint.
#
# Usage: wayland_start_test.sh path/to/velmaro
set -euo pipefail

app=$(realpath "$1")
work=$(mktemp -d)
weston_pid=""
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=wl-velmaro-test --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/wl-velmaro-test" ] && break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/wl-velmaro-test" ] || { cat "$work/weston.log" >&2; exit 1; }

out=$(WAYLAND_DISPLAY=wl-velmaro-test QT_QPA_PLATFORM=wayland timeout 60 \
    "$app" --simulate --data-dir "$work/data" --quit-after-paint 2>"$work/app.log") || {
    cat "$work/app.log" >&2
    exit 1
}
grep -Eq '^first paint [0-9]+ ms$' <<<"$out" || { echo "unexpected output: $out" >&2; exit 1; }
echo "PASS ($out)"
