#!/usr/bin/env bash
# The real program on the simulated mouse while its profile file is edited by
# hand: a clean edit is taken in and is still there after SIGTERM; an edit
# that meets a change of the window's own is never silently reverted (it is
# in the file or kept beside it as default0.psf.bad-*).
#
# Usage: outside_edit_test.sh path/to/velmaro
set -euo pipefail
source "$(dirname "$0")/xvfb_start.sh"

profile="$data/config/default0.psf"
for _ in $(seq 100); do
    [ -s "$profile" ] && break
    sleep 0.1
done
[ -s "$profile" ] || fail "no $profile"
sleep 1

# The file as UTF-8 text, and back (UTF-16LE with its byte order mark).
text_of() { tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8; }
# An editor's save: a new file renamed over the old one.
edit_name() {
    text_of "$profile" | sed "2s/=.*/=$1/" >"$work/edit.txt"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$work/edit.txt"; } >"$work/edit.psf"
    mv "$work/edit.psf" "$profile"
}
# True when the hand edit is in the file or in a copy kept beside it.
edit_kept() {
    local f
    for f in "$profile" "$profile".bad-*; do
        [ -e "$f" ] && text_of "$f" | sed -n 2p | grep -qF "=$1" && return 0
    done
    return 1
}

stop() {
    kill -TERM "$app_pid"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"
}

# A clean edit is taken in: the save at the end (pending since the start)
# writes the edit, not the window's older copy.
edit_name "Edited by hand"
sleep 1.5
"$app" --sim dpi 2 || fail "--sim dpi 2 was not delivered"
sleep 0.3
stop
text_of "$profile" | sed -n 2p | grep -qF "=Edited by hand" ||
    fail "the clean edit was reverted: $(text_of "$profile" | sed -n 2p)"
! ls "$profile".bad-* >/dev/null 2>&1 || fail "a clean edit was kept aside"

# Again: the mouse changes its report rate (a change of the window's own,
# not yet saved), the file is edited at once, and the program ends.
"$app" --simulate --data-dir "$data" --trace "$trace" >>"$work/app.log" 2>&1 &
app_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name "$title" >/dev/null ||
    fail "the main window did not appear again"
sleep 1
"$app" --sim rate 250 || fail "--sim rate 250 was not delivered"
sleep 0.3
edit_name "Second edit"
sleep 0.1
stop
edit_kept "Second edit" || fail "the second edit was silently reverted"
echo "ok"
