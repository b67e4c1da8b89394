#!/usr/bin/env bash
# A macro from start to mouse on a real X server: velmaro runs simulated
# under Xvfb; xdotool opens the macro manager, makes a macro, records keys
# typed on the keyboard, closes the manager, assigns the macro to a button
# through its menu and the macro selection, and the program ends with
# SIGTERM. The trace must show the macro going to the mouse, the library and
# profile files must hold it.
#
# Usage: xvfb_macro_test.sh path/to/velmaro
set -euo pipefail

source "$(dirname "$0")/xvfb_start.sh" "$1"
sleep 1

# The newest visible window of the program that is none of those given.
new_window() {
    local w=""
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "$title" | grep -vxF -e "$main" "$@" | tail -n1 || true)
        [ -n "$w" ] && break
        sleep 0.05
    done
    echo "$w"
}
# A left click at unscaled client pixels of a window (the screen gives scale 1.0).
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}
focus() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
}

# The macro manager: the button under the last button field.
click "$main" 181 384
manager=$(new_window)
[ -n "$manager" ] || fail "the macro manager did not open"

# New macro: the name dialog takes the typed name and Enter.
click "$manager" 56 344
name=$(new_window -e "$manager")
[ -n "$name" ] || fail "the name dialog did not open"
focus "$name"
xdotool type --delay 50 "Burst"
xdotool key --clearmodifiers Return
sleep 0.5

# Record two keys typed into the manager, then stop.
click "$manager" 415 62
focus "$manager"
xdotool key --delay 120 a b
sleep 0.3
click "$manager" 415 62
# Close: the library file is written.
click "$manager" 512 10
sleep 0.5

# Button 3's menu, its macro entry (the ninth), the only macro, OK.
click "$main" 136 201
click "$main" 297 382
select=$(new_window)
[ -n "$select" ] || fail "the macro selection did not open"
click "$select" 65 64
click "$select" 264 344
sleep 1

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"

# The macro went out: one chunk of four entries (12 data bytes and the slot)
# for slot 1, after the button's own command.
trace_expect=(
    "^SET cable 0C010E00[0-9A-F]{2}010D01"
)
for pattern in "${trace_expect[@]}"; do
    grep -Eq "$pattern" "$trace" || fail "the trace has no line like $pattern"
done

library=$(iconv -f UTF-16 -t UTF-8 "$data/config/MacroLibraryFile.mlf") || fail "no library file"
library_expect=(
    "^\[MacroLibrary\]$"
    "^MacroKeyIndex=2$"
    "^\+\+\+\+\+\+\+\+MacroItemName=Burst$"
    "^MacroActionNum=7$"
    "^MacroCommandActionNum=4$"
    "^AllAction=41000000030000[0-9A-F]{2}41800000030000[0-9A-F]{2}42000000030000[0-9A-F]{2}42800000(00000000){329}$"
)
for pattern in "${library_expect[@]}"; do
    grep -Eq "$pattern" <<<"$library" || fail "the library has no line like $pattern"
done

profile=$(iconv -f UTF-16 -t UTF-8 "$data/config/default0.psf") || fail "no profile file"
# Button 3 (Key2): its label, slot 1 in play mode 2 with one repeat, the
# library macro's key and its copy of the actions.
profile_expect=(
    "^Key2Name=Macro-Burst$"
    "^[[:space:]]*Key2Value=902101$"
    "^[[:space:]]*MacroKey2Name=Burst$"
    "^[[:space:]]*AllAction=41000000030000[0-9A-F]{2}41800000030000[0-9A-F]{2}42000000030000[0-9A-F]{2}42800000(00000000){329}$"
)
for pattern in "${profile_expect[@]}"; do
    grep -Eq "$pattern" <<<"$profile" || fail "the profile has no line like $pattern"
done
echo "PASS"
