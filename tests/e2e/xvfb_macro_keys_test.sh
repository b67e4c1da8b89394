#!/usr/bin/env bash
# Recording keys on a real X server, as a user does: velmaro runs simulated
# under Xvfb with the server's auto-repeat on and a busy loop beside it;
# xdotool drives the macro manager and types through the X server.
#
# - "Long": 63 keys typed in a row; the 126th key event stops the recording
#   with the message that names the limit, 125 key actions stay; assigned to
#   button 3 it goes to the mouse in exactly 15 chunks;
# - "Held": Q held for 1.5 s, ten times: one press and one release each;
# - "Typed": keys typed into another program's window while recording are
#   recorded with the pauses between them; after Stop they are not;
# - then velmaroctl, on a library holding a 168-action macro: it lists it
#   whole and refuses to put it on a button (exit 2).
#
# Usage: xvfb_macro_keys_test.sh path/to/velmaro path/to/velmaroctl
set -euo pipefail

ctl=$(realpath "$2")
source "$(dirname "$0")/xvfb_start.sh" "$1"
other_pid=""
busy_pid=""
finish() {
    [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null || true
    [ -n "$busy_pid" ] && kill "$busy_pid" 2>/dev/null || true
    cleanup
}
trap finish EXIT
xset r on
(while :; do :; done) &
busy_pid=$!
sleep 1

new_window() {
    local w=""
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "$title" | grep -vxF -e "$main" "$@" | tail -n1 || true)
        [ -n "$w" ] && break
        sleep 0.05
    done
    echo "$w"
}
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}
focus() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
}
# A new top-level macro with this name (nothing selected in the tree first).
new_macro() {
    click "$manager" 96 318 # below the last row: nothing selected
    click "$manager" 56 344
    local name
    name=$(new_window -e "$manager")
    [ -n "$name" ] || fail "the name dialog did not open"
    focus "$name"
    xdotool type --delay 50 "$1"
    xdotool key --clearmodifiers Return
    sleep 0.5
}
record() { click "$manager" 415 62; }

click "$main" 181 384
manager=$(new_window)
[ -n "$manager" ] || fail "the macro manager did not open"

# --- Long: the 126th key event stops the recording ------------------------
new_macro "Long"
record
focus "$manager"
xdotool key --delay 40 $(printf 'a %.0s' $(seq 63))
sleep 0.5
message=$(new_window -e "$manager")
[ -n "$message" ] || fail "no message when the macro was full"
click "$message" 274 80

# --- Held: Q held for 1.5 s, ten times ------------------------------------
new_macro "Held"
record
for _ in $(seq 10); do
    xdotool keydown q
    sleep 1.5
    xdotool keyup q
    sleep 0.2
done
record

# --- Typed: keys typed into another program's window ----------------------
new_macro "Typed"
xmessage -geometry +700+500 "another program" &
other_pid=$!
other=""
for _ in $(seq 100); do
    other=$(xdotool search --onlyvisible --name '^xmessage$' | head -n1 || true)
    [ -n "$other" ] && break
    sleep 0.05
done
[ -n "$other" ] || fail "the other program's window did not appear"
record
focus "$other"
xdotool key --delay 300 x y
sleep 0.3
record
focus "$other"
xdotool key --delay 100 z
sleep 0.3
click "$manager" 512 10
sleep 0.5

# Button 3's menu, its macro entry, the first macro (Long), OK.
click "$main" 136 201
click "$main" 297 382
select=$(new_window)
[ -n "$select" ] || fail "the macro selection did not open"
click "$select" 65 64
click "$select" 264 344
sleep 1.5

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "velmaro ended with $status after SIGTERM"

# The library as the program wrote it, macro by macro.
python3 - "$data/config/MacroLibraryFile.mlf" <<'PY' || fail "the recorded macros are not what was typed"
import re, sys
text = open(sys.argv[1], encoding="utf-16").read()
macros = {}
for m in re.finditer(r"MacroItemName=(\w+)\n(?:.*\n)*?\s*MacroActionNum=(\d+)\n\s*MacroCommandActionNum=(\d+)\n\s*AllAction=([0-9A-F]+)", text):
    name, used, count, hexa = m.group(1), int(m.group(2)), int(m.group(3)), m.group(4)
    actions = [bytes.fromhex(hexa[i * 8:i * 8 + 8]) for i in range(used)]
    macros[name] = (count, actions)

def keys(actions):
    return [(a[0], a[1] & 0x80 != 0) for a in actions if a[0] != 3]

def delays(actions):
    return [int.from_bytes(a[1:], "big") for a in actions if a[0] == 3]

count, long_ = macros["Long"]
assert count == 125, count
assert keys(long_) == [(0x41, i % 2 == 1) for i in range(125)], keys(long_)

count, held = macros["Held"]
assert count == 20, (count, keys(held))
assert keys(held) == [(0x51, False), (0x51, True)] * 10, keys(held)
holds = delays(held)[0::2]
assert all(1300 <= d <= 2600 for d in holds), holds

count, typed = macros["Typed"]
assert keys(typed) == [(0x58, False), (0x58, True), (0x59, False), (0x59, True)], keys(typed)
assert count == 4
assert len(delays(typed)) == 3 and all(20 <= d <= 1000 for d in delays(typed)), delays(typed)
# The pause from X's release to Y's press is the typing delay.
assert 100 <= delays(typed)[1] <= 1000, delays(typed)
PY

# Long on the mouse: 375 data bytes in 15 chunks of 25, slot 1.
for c in $(seq 0 14); do
    header=$(printf '%02X' $((c * 16 + 15)))
    grep -Eq "^SET cable 0C010E00[0-9A-F]{2}${header}1A01" "$trace" ||
        fail "the trace has no chunk $c of 15"
done
grep -Eq "^SET cable 0C010E00[0-9A-F]{2}[0-9A-F]0" "$trace" &&
    fail "a chunk claims 16 chunks"

# A library written elsewhere with a macro of 168 key actions.
ctl_data="$work/ctl"
mkdir -p "$ctl_data/config"
cp "$data/config/MacroLibraryFile.mlf" "$ctl_data/config/"
python3 - "$ctl_data/config/MacroLibraryFile.mlf" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-16").read()
actions = "".join("41%s0000" % ("80" if i % 2 else "00") for i in range(168)) + "00000000" * 168
text = re.sub(r"(MacroItemName=Held\n(?:.*\n)*?\s*MacroActionNum=)\d+(\n\s*MacroCommandActionNum=)\d+(\n\s*AllAction=)[0-9A-F]+",
              lambda m: m.group(1) + "168" + m.group(2) + "168" + m.group(3) + actions, text)
open(path, "w", encoding="utf-16", newline="\n").write(text)
PY
out=$("$ctl" --simulate --data-dir "$ctl_data" --json macros) || fail "velmaroctl macros failed"
python3 -c '
import json, sys
items = {i["name"]: i for i in json.loads(sys.stdin.read())["items"]}
assert items["Held"]["action_count"] == 168, items["Held"]["action_count"]
assert items["Held"]["fits_mouse"] is False, items["Held"]
' <<<"$out" || fail "the long macro is not listed whole: $out"
status=0
err=$("$ctl" --simulate --data-dir "$ctl_data" set button.4=macro:Held 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "set button.4=macro:Held ended with $status: $err"
grep -q "has 168 key actions; the mouse plays at most 125" <<<"$err" || fail "unclear refusal: $err"
echo "PASS"
