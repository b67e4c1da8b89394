# velmaroctl --json: every command, errors included, prints one object that
# follows the documented schema, and the exit status stays what it was.
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

DOC="$HERE/../../../packaging/manual.md"

# json KIND STATUS ARGS...: runs with --json, checks the status and the shape.
json() {
    local kind=$1 status=$2
    shift 2
    step "--json $* ($kind)"
    run --json "$@"
    expect_status "$status"
    python3 "$HERE/check_json.py" "$DOC" "$kind" out.txt >check.txt 2>&1 ||
        fail "not the $kind shape: $(cat check.txt)"
}

write_utf16 lib.mbf "[MacroLibrary]
MacroKeyIndex=2
Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;
++++++++MacroItemName=Games
MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;
MacroItemIsFolder=1
MacroItemFolderIsOpen=0
	++++++++MacroItemName=Jump
	MacroItemLocation:stage=1;stage0Index=0;stage1Index=0;stage2Index=0;
	MacroItemIsFolder=0
	MacroItemFolderIsOpen=0
	MacroKeyIndex=1
	MacroKeyLoopType=1
	MacroKeyLoopNum=1
	MacroActionNum=2
	MacroCommandActionNum=2
	AllAction=2000000020800000$(head -c 2672 /dev/zero | tr '\0' 0)
"

# Reporting commands.
json devices 0 --simulate=both devices
json status 0 --simulate status
json status 0 --simulate=battery=150 status
expect_out '"battery": null'
json show 0 --simulate show
json show 0 --simulate show 4
json show_raw 0 --simulate show --raw 2
json list_keys 0 --simulate list keys
json list_modes 0 --simulate list modes
json list_dpi 0 --simulate list dpi
json list_dpi 0 --simulate=sensor=0x35 list dpi
json list_functions 0 --simulate list functions
json version 0 --version

# Commands that change things.
json change 0 --simulate macro-import lib.mbf
expect_out '"changed": [
    "macros"'
json macros 0 --simulate macros
json list_functions 0 --simulate list functions
expect_out '"value": "macro:Games/Jump"'
json change 0 --simulate set rate=1000 dpi.0=450 button.3=macro:games/jump
expect_out '"dpi.0=500"'
expect_out '"dpi.0=450 -> 500"'
expect_out '"mouse": true'
json show 0 --simulate show
expect_out '"function": "macro:Games/Jump"'
json change 0 --simulate push
json change 0 --simulate switch 1
expect_out '"profile=1"'
json change 0 --simulate export 1 p.psf
expect_out '"p.psf"'
json change 0 --simulate import 2 p.psf
json change 0 --simulate reset --yes
expect_out '"mouse"'
json change 0 --simulate macro-export m.mbf

step "what a change reports"
run --json --simulate --trace t set rate=125 sleep=5
expect_equal "$(sed -n 's/^  "sent": \([0-9]*\),$/\1/p' out.txt)" "$(sent_commands t | grep -vc 20)"
expect_out "$CONFIG/default1.psf"

# Errors: the object on standard output, the message on standard error.
json error 2 --simulate set rate=300
expect_out '"code": 2'
expect_out 'rate=300: out of range'
expect_err 'rate=300: out of range'
json error 2 --simulate frobnicate
json error 2 --simulate show 7
json error 2 --simulate set
json error 2 --simulate export 0 -
json error 3 --simulate import 0 "$WORK/missing.psf"
json error 3 --simulate export 0 "$WORK/no/such/folder/x.psf"
expect_out 'No such file or directory'
if ! "$VCTL" --data-dir "$WORK/probe" devices >/dev/null 2>&1; then
    json error 1 status
    expect_out 'no mouse found'
    json error 1 reset --yes
fi

finish
