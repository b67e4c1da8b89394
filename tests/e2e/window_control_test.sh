#!/usr/bin/env bash
# velmaroctl beside a running velmaro (the real programs, velmaro on Qt's
# offscreen platform, both on a private session bus): every command gives
# the same output whether velmaro serves it or velmaroctl runs it alone;
# a set reaches velmaro's mouse as the same reports; twenty commands at once
# all land, with and without velmaro; velmaro killed mid-command frees the
# folder at once; without a bus velmaroctl refuses clearly while velmaro
# runs; a second start and --sim go over the bus.
#
# Usage: window_control_test.sh path/to/velmaro path/to/velmaroctl
set -uo pipefail

app=$(realpath "$1")
ctl=$(realpath "$2")
work=$(mktemp -d)
app_pid=""
bus_pid=""
failures=0
cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    fail "$@"
    [ -f "$work/app.log" ] && sed 's/^/  velmaro: /' "$work/app.log" >&2
    exit 1
}

export QT_QPA_PLATFORM=offscreen
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" -m 700 "$XDG_RUNTIME_DIR"
{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
cd "$work" || exit 1

# start_window DATA TRACE: velmaro simulated on DATA, until it serves velmaroctl.
start_window() {
    "$app" --simulate --data-dir "$1" --trace "$2" >"$work/app.log" 2>&1 &
    app_pid=$!
    for _ in $(seq 200); do
        "$ctl" --simulate --data-dir "$1" --verbose list modes >/dev/null 2>"$work/probe" &&
            grep -q "served by velmaro (process $app_pid)" "$work/probe" && return 0
        sleep 0.05
    done
    die "velmaro did not come to serve velmaroctl"
}
stop_window() {
    kill -TERM "$app_pid"
    wait "$app_pid" || fail "velmaro ended with $? after SIGTERM"
    app_pid=""
}

# --- every command, alone and served ------------------------------------------
# Folder A: velmaroctl alone. Folder B: held by velmaro. The same commands in
# the same order leave the same state, so the outputs must match (folder
# names written as DATA).
commands=(
    "status" "--json status" "devices" "--json devices" "show" "--json show 2"
    "show --as-set" "show --raw 1" "list keys" "list modes" "--json list dpi" "list functions"
    "macros" "--json macros" "set rate=250 dpi.0=800" "--json set sleep=7 button.4=key:ctrl+c"
    "set rate=300" "--json set dpi.9=100" "set -" "switch 1" "--json switch 0" "push"
    "--json push" "export 1 p.psf" "export 0 -" "--json import 2 p.psf" "import 3 -"
    "reset" "--json reset --yes" "macro-export m.mbf" "--json macro-import m.mbf"
    "macro-import --single nothing.mkf" "show" "status"
)
mkdir -p a b
start_window "$work/b/data" "$work/b/window.trace"
for where in a b; do
    cd "$work/$where" || exit 1
    printf 'rate=1000\n# a comment\ndpi.1=1200\n' >set.txt
    i=0
    for command in "${commands[@]}"; do
        i=$((i + 1))
        input=/dev/null
        [ "$command" = "set -" ] && input=set.txt
        [ "$command" = "import 3 -" ] && input=p.psf
        # shellcheck disable=SC2086
        "$ctl" --simulate --data-dir "$work/$where/data" $command <"$input" >"out.$i" 2>"err.$i"
        echo $? >"status.$i"
        sed -i "s|$work/$where|DATA|g" "out.$i" "err.$i"
    done
done
cd "$work" || exit 1
i=0
for command in "${commands[@]}"; do
    i=$((i + 1))
    for part in status out err; do
        cmp -s "a/$part.$i" "b/$part.$i" ||
            fail "\"$command\": $part differs alone and served: $(diff "a/$part.$i" "b/$part.$i" | head -5)"
    done
done
cmp -s a/p.psf b/p.psf || fail "export wrote different files alone and served"
cmp -s a/m.mbf b/m.mbf || fail "macro-export wrote different files alone and served"
grep -q "^0$" a/status.1 || fail "status alone ended with $(cat a/status.1)"

# --- set reaches velmaro's mouse as the same reports, and velmaro keeps it ----
lines_before=$(wc -l <b/window.trace)
"$ctl" --simulate --data-dir b/data --trace served.trace set lighting.mode=3 dpi.2=1600 ||
    fail "a served set failed"
"$ctl" --simulate --data-dir a/data --trace alone.trace set lighting.mode=3 dpi.2=1600 ||
    fail "the set alone failed"
tail -n +$((lines_before + 1)) b/window.trace | grep '^SET' >window.sets
grep '^SET' served.trace >served.sets
grep '^SET' alone.trace | tail -n "$(wc -l <window.sets)" >alone.sets
# Byte 4 of a report counts the reports the program sent so far.
sed -i -E 's/^(SET [a-z]+ .{8}).{2}/\1../' window.sets served.sets alone.sets
cmp -s window.sets served.sets || fail "the served --trace is not what velmaro's mouse got"
cmp -s window.sets alone.sets ||
    fail "velmaro's mouse got other reports than velmaroctl alone sends: $(diff window.sets alone.sets)"
grep -q "^dpi.2=1600" <("$ctl" --simulate --data-dir b/data show --as-set) ||
    fail "velmaro does not hold the served change"

# velmaro's end keeps what it served.
stop_window
"$ctl" --simulate --data-dir b/data show --as-set >after_end.txt
grep -q "^dpi.2=1600" after_end.txt || fail "velmaro's end reverted the served change"

# --- twenty commands at once ---------------------------------------------------
pairs=(dpi.0=900 dpi.1=1100 dpi.2=1300 dpi.3=1500 dpi.4=1700 dpi.0.color=112233
    dpi.1.color=223344 dpi.2.color=334455 dpi.3.color=445566 dpi.4.color=556677 rate=500
    sleep=9 debounce=8 move-lighting=on button.2=key:ctrl+f button.3=key:ctrl+e
    button.4=key:ctrl+a button.5=key:ctrl+b button.6=key:ctrl+d lighting.mode=1)
# The state they make, one after the other, velmaroctl alone.
for pair in "${pairs[@]}"; do
    "$ctl" --simulate --data-dir ref/data --trace ref.trace set "$pair" >/dev/null 2>&1 ||
        fail "set $pair alone failed"
done
"$ctl" --simulate --data-dir ref/data show --as-set >ref.txt
# The last report of each kind: what the mouse holds at the end.
# Keyed by the command byte (and the button, byte 7, of a button report);
# byte 4, the report counter, left out.
last_reports() {
    awk '$1 == "SET" && substr($3, 5, 2) != "20" {
        key = substr($3, 5, 2); if (key == "04") key = key substr($3, 15, 2)
        last[key] = substr($3, 1, 8) substr($3, 11) }
    END { for (k in last) print k, last[k] }' "$1" | sort
}
last_reports ref.trace >ref.mouse

parallel() {  # DATA: all twenty at once; each must end with 0
    local pids=() pair n=0
    for pair in "${pairs[@]}"; do
        n=$((n + 1))
        "$ctl" --simulate --data-dir "$1" --json set "$pair" >"$1.json.$n" 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || fail "a parallel set on $1 ended with $?"
    done
}
# Served by velmaro.
start_window "$work/par/data" "$work/par.trace"
parallel par/data
"$ctl" --simulate --data-dir par/data show --as-set >par.txt
cmp -s ref.txt par.txt || fail "served at once, not every change landed: $(diff ref.txt par.txt)"
stop_window
"$ctl" --simulate --data-dir par/data show --as-set >par_files.txt
cmp -s ref.txt par_files.txt || fail "served at once, the files lack changes: $(diff ref.txt par_files.txt)"
last_reports par.trace >par.mouse
cmp -s ref.mouse par.mouse || fail "served at once, velmaro's mouse lacks changes: $(diff ref.mouse par.mouse)"
# velmaroctl alone, twenty processes taking turns on the folder's lock.
"$ctl" --simulate --data-dir solo/data --trace solo.trace list modes >/dev/null
: >solo.trace
(
    pids=()
    n=0
    for pair in "${pairs[@]}"; do
        n=$((n + 1))
        "$ctl" --simulate --data-dir solo/data --trace solo.trace set "$pair" >/dev/null 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || exit 1; done
) || fail "a parallel set alone failed"
"$ctl" --simulate --data-dir solo/data show --as-set >solo.txt
cmp -s ref.txt solo.txt || fail "alone at once, not every change landed: $(diff ref.txt solo.txt)"

# --- velmaro killed in the middle of a command ---------------------------------
start_window "$work/kill/data" "$work/kill.trace"
"$ctl" --simulate --data-dir kill/data reset --yes >/dev/null 2>kill.err &
cmd_pid=$!
sleep 0.3
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=""
wait "$cmd_pid"
status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 4 ] || fail "the command cut off ended with $status"
"$ctl" --simulate --data-dir kill/data --verbose set rate=125 >/dev/null 2>kill2.err ||
    fail "the next command did not work: $(cat kill2.err)"
grep -q "served by velmaroctl itself" kill2.err || fail "the next command was not run alone"

# --- no session bus ------------------------------------------------------------
start_window "$work/nobus/data" "$work/nobus.trace"
status=0
env -u DBUS_SESSION_BUS_ADDRESS "$ctl" --simulate --data-dir nobus/data set rate=250 \
    >nobus.out 2>nobus.err || status=$?
[ "$status" -eq 4 ] || fail "without a bus velmaroctl ended with $status, not 4"
grep -q "velmaro is running on .* (process $app_pid) and could not be reached" nobus.err ||
    fail "without a bus the refusal does not say why: $(cat nobus.err)"
status=0
env -u DBUS_SESSION_BUS_ADDRESS "$ctl" --simulate --data-dir nobus/data --json status \
    >nobus.json 2>/dev/null || status=$?
grep -q '"code": 4' nobus.json || fail "the JSON refusal has no code 4"
# Another folder is not velmaro's: served alone as ever.
env -u DBUS_SESSION_BUS_ADDRESS "$ctl" --simulate --data-dir other/data status >/dev/null ||
    fail "another folder was refused while velmaro runs"

# A second start and --sim go over the bus.
timeout 10 "$app" --simulate --data-dir nobus/data || fail "a second start did not end with 0"
"$app" --sim battery 40 || fail "--sim battery 40 was not delivered"
# The window takes it with its next status query (every second).
for _ in $(seq 30); do
    "$ctl" --simulate --data-dir nobus/data status | grep -q "battery 40%" && break
    sleep 0.1
done
"$ctl" --simulate --data-dir nobus/data status | grep -q "battery 40%" ||
    fail "the event did not reach velmaro's mouse"
busctl --user introspect io.github.velmaro.Velmaro /io/github/velmaro/Velmaro >introspect.txt ||
    fail "busctl could not introspect velmaro"
grep -q "io.github.velmaro.Velmaro.Control" introspect.txt || fail "introspection lacks Control"
status=0
"$app" --sim wiggle 1 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "an unknown event ended with $status, not 2"
stop_window
status=0
env -u DBUS_SESSION_BUS_ADDRESS "$ctl" --simulate --data-dir nobus/data set rate=250 \
    >/dev/null 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "without velmaro and without a bus the set ended with $status"

# A second copy started without a bus still refuses to run twice.
env -u DBUS_SESSION_BUS_ADDRESS "$app" --simulate --data-dir nobus/data >"$work/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 100); do
    [ -s nobus/data/velmaro.lock ] && grep -q velmaro nobus/data/velmaro.lock && break
    sleep 0.05
done
status=0
env -u DBUS_SESSION_BUS_ADDRESS timeout 10 "$app" --simulate --data-dir nobus/data \
    2>second.err || status=$?
[ "$status" -eq 0 ] || fail "the second copy without a bus ended with $status"
grep -q "already running" second.err || fail "the second copy without a bus did not say so"
kill -0 "$app_pid" || fail "the first copy ended"
stop_window

# --- a velmaro that never comes on this bus: a clear error after 2 s ----------
# (One in another desktop session holds its folder all the same.)
mkdir -p elsewhere/data
flock elsewhere/data/velmaro.lock -c 'echo "4343 velmaro" >elsewhere/data/velmaro.lock; sleep 6' &
holder=$!
sleep 0.3
started=$(date +%s%N)
status=0
"$ctl" --simulate --data-dir elsewhere/data set rate=250 >/dev/null 2>elsewhere.err || status=$?
took=$((($(date +%s%N) - started) / 1000000))
[ "$status" -eq 4 ] || fail "a velmaro on another bus ended the command with $status, not 4"
grep -q "velmaro is running on .* (process 4343) and could not be reached" elsewhere.err ||
    fail "the refusal does not say why: $(cat elsewhere.err)"
[ "$took" -ge 1900 ] && [ "$took" -lt 5000 ] ||
    fail "the command waited $took ms for a velmaro that never came, not about 2 s"
wait "$holder"

# --- another velmaroctl holding the folder: a clear error after 10 s ---------------
# The window waits the same, says the same, and reads nothing of the folder
# (it would first put its config folder in place).
mkdir -p held/data
flock held/data/velmaro.lock -c 'echo "4242 velmaroctl" >held/data/velmaro.lock; sleep 11' &
holder=$!
sleep 0.3
"$app" --simulate --data-dir held/data >/dev/null 2>held-window.err &
held_window=$!
status=0
"$ctl" --simulate --data-dir held/data status >/dev/null 2>held.err || status=$?
[ "$status" -eq 4 ] || fail "a held folder ended with $status, not 4"
grep -q "in use by velmaroctl (process 4242)" held.err || fail "the holder is not named: $(cat held.err)"
status=0
wait "$held_window" || status=$?
[ "$status" -eq 4 ] || fail "the window on a held folder ended with $status, not 4"
grep -q "in use by velmaroctl (process 4242)" held-window.err ||
    fail "the window did not name the holder: $(cat held-window.err)"
[ ! -e held/data/config ] || fail "the window touched a folder it did not hold"
wait "$holder"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
