# velmaroctl macros, macro-import, macro-export, and macro buttons.
. "$(dirname "$0")/lib.sh"

# A library file as the program writes it: macro Burst (press A, 50 ms,
# release A; played 3 times) at the top, folder Games holding macro Jump.
zeros() { head -c "$1" /dev/zero | tr '\0' 0; }
write_utf16 shooter.mbf "[MacroLibrary]
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
++++++++MacroItemName=Games
MacroItemLocation:stage=0;stage0Index=1;stage1Index=0;stage2Index=0;
MacroItemIsFolder=1
MacroItemFolderIsOpen=0
	++++++++MacroItemName=Jump
	MacroItemLocation:stage=1;stage0Index=1;stage1Index=0;stage2Index=0;
	MacroItemIsFolder=0
	MacroItemFolderIsOpen=0
	MacroKeyIndex=6
	MacroKeyLoopType=1
	MacroKeyLoopNum=1
	MacroActionNum=2
	MacroCommandActionNum=2
	AllAction=2000000020800000$(zeros 2672)
"

step "an empty library"
sim macros
expect_status 0
expect_out_is ""

step "collection import at the top level"
sim macro-import shooter.mbf
expect_status 0
expect_quiet
expect_file "$CONFIG/MacroLibraryFile.mlf"
sim macros
expect_out_is "Burst  (key 1, mode 2 x3, 3 actions)" "Games/" "  Jump  (key 2, mode 1, 2 actions)"
sim --json macros
expect_out '"next_key_index": 3'
expect_out '"text": "50ms"'
expect_out '"icon": "release"'
expect_out '"repeat": 3'
expect_out '"path": "Games/Jump"'

step "the same names again: refused, nothing imported"
sim macro-import shooter.mbf
expect_status 3
expect_err 'could not import shooter.mbf: the name "Burst" is already taken at the top level'
sim macros
expect_equal "$(wc -l <out.txt | tr -d ' ')" 3

step "one macro into a folder"
sim macro-export burst.mkf --select 0,0,0,0
expect_status 0
utf16 burst.mkf | grep -q '^Select Locaton:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;$' ||
    fail "the export's mark"
sim macro-import burst.mkf --single --select 0,1,0,0
expect_status 0
sim macros
expect_out "  Burst  (key 3, mode 2 x3, 3 actions)"
sim macro-import burst.mkf --single --select 0,1,0,0
expect_status 3
expect_err 'the name "Burst" is already taken in folder "Games"'

step "bad selections and files"
sim macro-export x.mbf --select 0,9,0,0
expect_status 2
expect_err "--select: no library item at 0,9,0,0"
sim macro-import shooter.mbf --select 1,2
expect_status 2
sim macro-import missing.mbf
expect_status 3
expect_err "could not import missing.mbf"
sim macro-export "$WORK/no/such/folder/x.mbf"
expect_status 3
expect_err "could not write $WORK/no/such/folder/x.mbf"

step "macro buttons: assigned by path, uploaded once per library macro"
sim --trace t set button.3=macro:Games/Jump button.6=macro:Burst button.5=macro:Burst
expect_status 0
expect_equal "$(sent_commands_line t)" "20 04 04 04 0E 0E"
sim --json show --raw
expect_out '"KeyName": "Macro-Jump"'
expect_out '"MacroName": "Jump"'
sim --trace t2 push
expect_equal "$(sent_commands_line t2 | tr ' ' '\n' | grep -c 0E)" 2
sim set button.3=macro:Games
expect_status 2
expect_err '"Games" is a folder, not a macro'

finish
