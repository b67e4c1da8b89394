# Damaged files never cost a setting without a copy beside it, a second
# start after any of them is quiet, and nothing is written outside the data
# folder.
. "$(dirname "$0")/lib.sh"

zeros() { head -c "$1" /dev/zero | tr '\0' 0; }
# The config folder's files with their checksums, copies included.
snapshot() { find "$CONFIG" -type f -exec md5sum {} + | sort -k2; }
kept_copies() { find "$CONFIG" -name "$1.bad-*" | wc -l | tr -d ' '; }
# Rewrites line N (from 1) of a program file with TEXT.
set_line() {
    utf16 "$1" | awk -v n="$2" -v t="$3" 'NR == n { print t; next } { print }' >edit.txt
    write_utf16 "$1" "$(cat edit.txt)
"
}
swap_lines() {
    utf16 "$1" | awk -v a="$2" -v b="$3" '{ l[NR] = $0 } END {
        t = l[a]; l[a] = l[b]; l[b] = t; for (i = 1; i <= NR; i++) print l[i] }' >edit.txt
    write_utf16 "$1" "$(cat edit.txt)
"
}
# A second start says nothing and changes nothing.
expect_second_start_quiet() {
    local before
    before=$(snapshot)
    sim show
    expect_status 0
    expect_quiet
    expect_equal "$(snapshot)" "$before"
}

step "first start"
sim show
expect_status 0
expect_quiet

step "read-only commands leave every file as it was, time included"
sim set rate=250
stamps() { stat -c '%Y %s %n' "$CONFIG"/*; }
before=$(snapshot)
touch -d '2001-01-01 00:00' "$CONFIG"/*
old_stamps=$(stamps)
for command in show status devices macros "export 0 $WORK/out.psf"; do
    # shellcheck disable=SC2086
    sim $command
    expect_status 0
done
expect_equal "$(stamps)" "$old_stamps"
expect_equal "$(snapshot)" "$before"

step "a profile with two lines swapped is kept before it is rewritten"
swap_lines "$CONFIG/default0.psf" 21 22
damaged=$(md5sum <"$CONFIG/default0.psf")
sim show
expect_status 0
expect_err "kept the old $CONFIG/default0.psf as $CONFIG/default0.psf.bad-"
expect_err "line 22 is not as the program writes it"
expect_equal "$(md5sum <"$CONFIG"/default0.psf.bad-*)" "$damaged"
expect_second_start_quiet
rm -f "$CONFIG"/default0.psf.bad-*

step "a value with junk is kept too"
set_line "$CONFIG/default1.psf" 25 $'\tXYSetting3Value=00G6junk'
damaged=$(md5sum <"$CONFIG/default1.psf")
sim show 1
expect_status 0
expect_err "line 25 is not as the program writes it"
expect_equal "$(md5sum <"$CONFIG"/default1.psf.bad-*)" "$damaged"
expect_second_start_quiet
rm -f "$CONFIG"/default1.psf.bad-*

step "slot paths that are not files in config/ are not used"
for bad in " " "3" "0x3325" "$DATA/con" "/" "$WORK/elsewhere/default2.psf" \
    "$CONFIG/../outside.psf" "$CONFIG/default1.psf"; do
    set_line "$CONFIG/config.ini" 15 "ProfileSlot2URL=$bad"
    sim show 2
    expect_status 0
    expect_err "config.ini line 15 (ProfileSlot2URL="
    expect_err "is not used as the file of Profile 3 because"
    expect_err "Profile 3 uses $CONFIG/default2.psf instead"
    utf16 "$CONFIG/config.ini" | grep -qx "ProfileSlot2URL=$CONFIG/default2.psf" ||
        fail "default path not written back for '$bad'"
    expect_second_start_quiet
    rm -f "$CONFIG"/config.ini.bad-*
done
[ ! -e "$WORK/3" ] && [ ! -e "$WORK/0x3325" ] && [ ! -e "$DATA/con" ] &&
    [ ! -e "$WORK/elsewhere" ] && [ ! -e "$DATA/outside.psf" ] || fail "wrote outside config/"

step "a copied data folder writes into itself"
cp -r "$DATA" "$WORK/copy"
original=$(snapshot)
"$VCTL" --data-dir "$WORK/copy" --simulate set rate=500 >out.txt 2>err.txt
STATUS=$?
expect_status 0
expect_err "Profile 1 uses $WORK/copy/config/default0.psf instead"
expect_equal "$(snapshot)" "$original"

step "a folder in place of config.ini: the profiles stay, no copies pile up"
sim set rate=1000
rm "$CONFIG/config.ini"
mkdir "$CONFIG/config.ini"
before=$(snapshot)
for run in 1 2; do
    sim show
    expect_status 0
    expect_err "config.ini cannot be read (it is a folder) and it could not be replaced: the program runs on default settings and the five profiles were left as they are"
    expect_err "could not write $CONFIG/config.ini: Is a directory"
    expect_equal "$(grep -c . err.txt)" 2
    expect_equal "$(snapshot)" "$before"
done
utf16 "$CONFIG/default0.psf" | grep -qx "PollingRateName=1000HZ" || fail "profile 0 was reset"
sim set rate=500
expect_status 3
rmdir "$CONFIG/config.ini"
# A missing config.ini resets the profiles, each kept first.
sim show
expect_status 0
expect_err "kept the old $CONFIG/default0.psf as $CONFIG/default0.psf.bad-"
expect_err "config.ini cannot be read (it does not exist): the profiles were reset to their defaults with the settings"
expect_second_start_quiet
find "$CONFIG" -name '*.bad-*' -delete

step "a damaged config.ini is kept once, the profiles too, and said why (in English on a Chinese desktop)"
sim set rate=125
write_utf16 "$CONFIG/config.ini" "[Setting]
Sensor
"
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 sim show
expect_status 0
expect_err "kept the old $CONFIG/config.ini as $CONFIG/config.ini.bad-"
expect_err "config.ini line 2 has no \"=\": the settings and the five profiles were reset to their defaults"
expect_err "kept the old $CONFIG/default0.psf as $CONFIG/default0.psf.bad-"
expect_equal "$(kept_copies config.ini)" 1
expect_equal "$(kept_copies default0.psf)" 1
expect_second_start_quiet
find "$CONFIG" -name '*.bad-*' -delete

step "a sensor edited by hand keeps the changed profiles before their DPI reset"
sim set dpi.0=1000
set_line "$CONFIG/config.ini" 3 "PreST=0xCCD8"
sim show
expect_status 0
expect_err "kept the old $CONFIG/default0.psf as $CONFIG/default0.psf.bad-"
expect_err "the profiles were set up for sensor 0x3327 and the sensor is 0x3325: the DPI settings of the five profiles were reset for it"
expect_equal "$(kept_copies 'default*.psf')" 1
# The copy holds the user's step, the file the sensor's default.
utf16 "$CONFIG/default0.psf" | grep -qx $'\tXYSetting1Value=0006' || fail "DPI not reset"
! utf16 "$CONFIG"/default0.psf.bad-* | grep -qx $'\tXYSetting1Value=0006' || fail "kept copy"
expect_second_start_quiet
find "$CONFIG" -name '*.bad-*' -delete

step "a damaged macro library strips no button"
write_utf16 lib.mbf "[MacroLibrary]
MacroKeyIndex=7
Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;
++++++++MacroItemName=Burst
MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;
MacroItemIsFolder=0
MacroItemFolderIsOpen=0
MacroKeyIndex=5
MacroKeyLoopType=2
MacroKeyLoopNum=3
MacroActionNum=3
MacroCommandActionNum=2
AllAction=410000000300003241800000$(zeros 2664)
"
sim macro-import lib.mbf
expect_status 0
sim set button.2=macro:Burst
expect_status 0
profile=$(md5sum <"$CONFIG/default0.psf")
for cut in half empty; do
    if [ $cut = half ]; then
        size=$(stat -c %s "$CONFIG/MacroLibraryFile.mlf")
        head -c $((size / 2)) "$CONFIG/MacroLibraryFile.mlf" >cut.mlf
        mv cut.mlf "$CONFIG/MacroLibraryFile.mlf"
    else
        : >"$CONFIG/MacroLibraryFile.mlf"
    fi
    sim --trace t$cut show
    expect_status 0
    expect_err "The macro library $CONFIG/MacroLibraryFile.mlf did not load completely: "
    expect_err "Button 2 of \"Profile 1\" keeps its own macro as it was, though the library lacks it."
    expect_equal "$(grep -c 'keeps its own macro' err.txt)" 1
    expect_equal "$(md5sum <"$CONFIG/default0.psf")" "$profile"
    utf16 "$CONFIG/default0.psf" | grep -qx $'\tKey1Value=902103' || fail "button 2's value"
done
sim --trace tpush push
expect_equal "$(sent_commands_line tpush | tr ' ' '\n' | grep -c 0E)" 1

step "a library that loads cleanly without the macro: the button is unassigned"
rm "$CONFIG/MacroLibraryFile.mlf"
write_utf16 "$CONFIG/MacroLibraryFile.mlf" "[MacroLibrary]
MacroKeyIndex=7
Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;
"
sim show
expect_status 0
expect_quiet
utf16 "$CONFIG/default0.psf" | grep -qx $'\tKey1Value=000000' || fail "button 2 still a macro"

step "a cut collection file: what came in and what did not, exit 3"
utf16 lib.mbf >whole.txt
write_utf16 two.mbf "$(head -3 whole.txt; sed -n 4,13p whole.txt | sed 's/Burst/One/';
    sed -n 4,13p whole.txt | sed 's/Burst/Two/; s/stage0Index=0;stage1/stage0Index=1;stage1/';
    sed -n 4,8p whole.txt)"
sim macro-import two.mbf
expect_status 3
expect_err 'imported from two.mbf: "One", "Two"'
expect_err "two.mbf is cut short or damaged after its last complete item: what follows it was not imported"
write_utf16 none.mbf "$(head -5 whole.txt)"
sim macro-import none.mbf
expect_status 3
expect_err "nothing was imported from none.mbf"

step "--simulate without --data-dir never touches the real data folder"
export HOME="$WORK/home" XDG_DATA_HOME=""
"$VCTL" --simulate set rate=250 >out.txt 2>err.txt
STATUS=$?
expect_status 0
[ ! -e "$HOME/.local/share/VelmaroData20240507A" ] || fail "the real data folder was used"
expect_file "$HOME/.local/share/VelmaroData20240507A-simulated/config/default0.psf"

step "paths are told with control characters escaped"
name=$'bad\nname\t.psf'
sim import 0 "$name"
expect_status 3
expect_err 'could not import bad\nname\t.psf: it does not exist'

finish
