#!/usr/bin/env bash
# The real program on Xvfb reads only the pictures its first paint shows; a
# hover look is read when the pointer first rests on its control (moved by
# the X server), and a dialog's pictures when the dialog first opens.
#   xvfb_skin_loading_test.sh PATH/TO/velmaro
set -euo pipefail
command -v strace >/dev/null || { echo "strace missing: skipped"; exit 77; }
strace -f -e trace=none true 2>/dev/null || { echo "tracing not permitted: skipped"; exit 77; }

app=$(realpath "$1")
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x_server

strace -f -qq -e trace=openat -o "$work/opened" \
    "$app" --simulate --data-dir "$work/data" >"$work/app.log" 2>&1 &
app_pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name "Pyxeltor Quill mouse" | head -n1) ||
    fail "the main window did not appear"
sleep 1

read_pictures() { grep -o 'skins/[^"]*' "$work/opened" | sort -u; }
read_pictures >"$work/at-start"
count=$(wc -l <"$work/at-start")
[ "$count" -gt 5 ] || fail "only $count pictures read for the first paint"
[ "$count" -lt 60 ] || fail "$count pictures read before anything was shown beyond the first paint"
grep -q 'skins/button2_nr.png' "$work/at-start" || fail "the reset button's picture was not read"
# (An open section's header shows its "_ov" look; the buttons' hover looks wait.)
for hover in button2_ov exit_ov min_ov combo2_ov; do
    ! grep -q "skins/$hover.png" "$work/at-start" || fail "$hover.png read before any hover"
done
! grep -q 'Frame_common.bmp' "$work/at-start" || fail "a dialog frame was read at start"

# The pointer on the reset button (1040, 700; 69 x 20 at scale 1.0).
xdotool mousemove --window "$main" 1070 710
for _ in $(seq 50); do
    grep -q 'skins/button2_ov.png' "$work/opened" && break
    sleep 0.1
done
grep -q 'skins/button2_ov.png' "$work/opened" || fail "the hover look was not read on hover"

# A click opens the reset dialog; its frame is read for its first paint.
xdotool click 1
for _ in $(seq 50); do
    grep -q 'skins/Frame_common.bmp' "$work/opened" && break
    sleep 0.1
done
grep -q 'skins/Frame_common.bmp' "$work/opened" || fail "the dialog's frame was not read when it opened"
echo "ok: $count pictures for the first paint"
