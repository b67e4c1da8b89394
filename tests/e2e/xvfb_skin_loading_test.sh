#!/usr/bin/env bash
# The real program on Xvfb reads only the pictures its first paint shows; a
# hover look is read when the pointer first rests on its control (moved by
# the X server), and a dialog's pictures when the dialog first opens. The
# next start takes the first paint's pictures as they were decoded from the
# user's cache, except those whose files changed since.
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
# The list of what the first paint drew, read ahead by the next start.
export XDG_CACHE_HOME="$work/cache"
list="$work/cache/velmaro/first-paint-pictures"
kept="$work/cache/velmaro/first-paint-pixels"

read_pictures() { grep -o 'skins/[^"]*' "$opened" | sort -u; }

# Starts the program under strace: what it opened of the skin up to a second
# after its window showed goes to at-start.
start_under_strace() {
    opened="$work/opened-$1"
    strace -f -qq -e trace=openat -o "$opened" \
        "$app" --simulate --data-dir "$work/data" >"$work/app.log" 2>&1 &
    app_pid=$!
    main=$(timeout 20 xdotool search --sync --onlyvisible --name "Pyxeltor Quill mouse" |
        head -n1) || fail "the main window did not appear"
    sleep 1
    read_pictures >"$work/at-start"
    count=$(wc -l <"$work/at-start")
}

end_program() {
    child=$(pgrep -P "$app_pid" -x velmaro) || fail "the program is gone"
    kill "$child"
    for _ in $(seq 100); do
        kill -0 "$child" 2>/dev/null || break
        sleep 0.1
    done
    ! kill -0 "$child" 2>/dev/null || fail "the program did not end"
    kill "$app_pid" 2>/dev/null || true
}

# A start that decodes its pictures: it reads the pictures its first paint
# shows and nothing else.
start_and_check() {
    start_under_strace "$1"
    [ "$count" -gt 5 ] || fail "only $count pictures read for the first paint"
    [ "$count" -lt 60 ] || fail "$count pictures read before anything was shown beyond the first paint"
    grep -q 'skins/button2_nr.png' "$work/at-start" || fail "the reset button's picture was not read"
    # (An open section's header shows its "_ov" look; the buttons' hover looks wait.)
    for hover in button2_ov exit_ov min_ov combo2_ov; do
        ! grep -q "skins/$hover.png" "$work/at-start" || fail "$hover.png read before any hover"
    done
    ! grep -q 'Frame_common.bmp' "$work/at-start" || fail "a dialog frame was read at start"
    # Pictures are read by their own format's decoder: guessing one loads
    # every image plugin (and its libraries) into the program.
    child=$(pgrep -P "$app_pid" -x velmaro) || fail "the program is gone"
    ! grep -q 'plugins/imageformats/' "/proc/$child/maps" ||
        fail "image plugins loaded at start: $(grep -o '[^/]*imageformats/[^ ]*' "/proc/$child/maps" | sort -u)"
}

start_and_check first
[ -f "$list" ] || fail "the first paint's pictures were not remembered"
grep -q '/skins/button2_nr.png$' "$list" || fail "the list lacks the reset button: $(cat "$list")"
! grep -qE '/(button2|exit|min|combo2)_ov.png$' "$list" || fail "the list holds a hover look"
! grep -q 'Frame_common.bmp' "$list" || fail "the list holds a dialog frame"

# The pointer on the reset button (1040, 700; 69 x 20 at scale 1.0).
xdotool mousemove --window "$main" 1070 710
for _ in $(seq 50); do
    grep -q 'skins/button2_ov.png' "$opened" && break
    sleep 0.1
done
grep -q 'skins/button2_ov.png' "$opened" || fail "the hover look was not read on hover"

# A click opens the reset dialog; its frame is read for its first paint.
xdotool click 1
for _ in $(seq 50); do
    grep -q 'skins/Frame_common.bmp' "$opened" && break
    sleep 0.1
done
grep -q 'skins/Frame_common.bmp' "$opened" || fail "the dialog's frame was not read when it opened"
first=$count

# The dialog closes, then the program (strace's child).
xdotool key Escape
end_program
[ -s "$kept" ] || fail "the first paint's pictures were not kept decoded"

# The next start takes the listed pictures from the kept file: it opens none
# of them, and nothing else of the skin but what it never keeps.
start_under_strace next
grep -q 'first-paint-pixels' "$opened" || fail "the kept pictures were not read"
while read -r picture; do
    ! grep -q "\"$picture\"" "$opened" || fail "$picture was decoded again though kept"
done < <(tail -n +2 "$list" | grep -v '^:/')
! grep -qE '(button2|exit|min|combo2)_ov.png|Frame_common.bmp' "$work/at-start" ||
    fail "read beyond the first paint: $(cat "$work/at-start")"
end_program

# A changed picture is decoded again, and kept anew.
# (Rewritten alike, so the other tests see the same picture.)
button=$(grep '/skins/button2_nr.png$' "$list")
cp -p "$button" "$work/button2_nr.png"
cat "$work/button2_nr.png" >"$button"
start_under_strace changed
touch -r "$work/button2_nr.png" "$button"
grep -q "\"$button\"" "$opened" || fail "the changed picture was not decoded again"
# (The lighting section's frame is read directly, never kept.)
[ "$count" -le 2 ] || fail "$count pictures read after one changed: $(cat "$work/at-start")"
end_program
echo "ok: $first pictures decoded for the first paint, the next start took them as kept"
