# Files the program could not read or write: told on the error stream, and
# exit status 3 where the command's own file work failed.
. "$(dirname "$0")/lib.sh"

step "a relative data folder is made absolute"
"$VCTL" --data-dir rel --simulate show >out.txt 2>err.txt
STATUS=$?
expect_status 0
expect_file "$WORK/rel/config/config.ini"
expect_file "$WORK/rel/config/default4.psf"
expect_file "$WORK/rel/config/Lan_EN.txt"
utf16 "$WORK/rel/config/config.ini" | grep -qx "ProfileSlot0URL=$WORK/rel/config/default0.psf" ||
    fail "slot paths in config.ini"

step "an unreadable profile file is kept beside its replacement"
sim show
printf 'garbage' >"$CONFIG/default2.psf"
sim show
expect_status 0
expect_err "kept the old $CONFIG/default2.psf as $CONFIG/default2.psf.bad-"
ls "$CONFIG"/default2.psf.bad-* >/dev/null 2>&1 || fail "no kept file"

step "a profile file that cannot be written: told; set fails with 3"
rm -f "$CONFIG/default1.psf"
mkdir "$CONFIG/default1.psf"
sim set rate=1000
expect_status 3
expect_err "could not write $CONFIG/default1.psf"
sim show
expect_status 0
expect_err "could not write $CONFIG/default1.psf"

step "the library file that cannot be written"
rmdir "$CONFIG/default1.psf"
mkdir -p "$CONFIG/MacroLibraryFile.mlf"
write_utf16 empty.mbf "[MacroLibrary]
MacroKeyIndex=1
Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;
++++++++MacroItemName=Folder
MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;
MacroItemIsFolder=1
MacroItemFolderIsOpen=0
"
sim macro-import empty.mbf
expect_status 3
expect_err "could not write $CONFIG/MacroLibraryFile.mlf"

finish
