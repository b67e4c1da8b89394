# show -> set: what show prints, fed back to set on a fresh data folder,
# gives the same profile file byte for byte.
. "$(dirname "$0")/lib.sh"

# A profile changed the way a user would, in an order show does not keep:
# the left click moves, a level goes off, other lighting modes keep colours.
sim set "name=Jeux d'été #2" button.2=left button.1=right button.3=key:super+pageup button.4=office:copy \
    button.5=fire:60,2 button.6=dpi-lock:700 \
    dpi.2.enabled=off dpi.current=4 dpi.4=450 dpi.0=9000 dpi.3.color=pink \
    lighting.mode=breathing lighting.color.0.on=off lighting.color.3=#102030 lighting.speed=1 \
    lighting.mode=marquee lighting.speed=3 lighting.mode=static lighting.brightness=25 \
    lighting.color.0=cyan rate=250 sleep=9 debounce=4 wakeup=off move-lighting=on
expect_status 0
sim switch 2
sim set button.6=media:mute lighting.mode=wave lighting.direction=down
sim switch 0
cp "$CONFIG/default0.psf" want0.psf
cp "$CONFIG/default2.psf" want2.psf

# again DIR SOURCE: the pairs in SOURCE set on the fresh folder DIR.
again() {
    rm -rf "$1"
    "$VCTL" --data-dir "$1" --simulate set - <"$2" >out.txt 2>err.txt
    STATUS=$?
}

step "--as-set through standard input"
sim show --as-set
expect_quiet
cp out.txt pairs.txt
again fresh1 pairs.txt
expect_status 0
cmp -s want0.psf fresh1/config/default0.psf || fail "the profile differs after show --as-set | set -"

step "the default text, comments and all"
sim show
cp out.txt text.txt
again fresh2 text.txt
expect_status 0
cmp -s want0.psf fresh2/config/default0.psf || fail "the profile differs after show | set -"

step "pairs as arguments"
rm -rf fresh3
mapfile -t args <pairs.txt
"$VCTL" --data-dir fresh3 --simulate set "${args[@]}" >out.txt 2>err.txt
STATUS=$?
expect_status 0
cmp -s want0.psf fresh3/config/default0.psf || fail "the profile differs after set \$(show --as-set)"

step "another slot, into the same slot"
sim show --as-set 2
cp out.txt pairs2.txt
rm -rf fresh4
"$VCTL" --data-dir fresh4 --simulate switch 2 >/dev/null 2>&1
"$VCTL" --data-dir fresh4 --simulate set - <pairs2.txt >out.txt 2>err.txt
STATUS=$?
expect_status 0
cmp -s want2.psf fresh4/config/default2.psf || fail "slot 2 differs"

step "what show cannot express is said, not silently dropped"
# A function no set word makes (bytes 60 07 00), put in the file by hand.
sim set button.6=rate-switch
utf16 "$CONFIG/default0.psf" >plain.txt
grep -q '600400' plain.txt || fail "rate-switch is not 600400 in the file"
write_utf16 "$CONFIG/default0.psf" "$(sed 's/600400/600700/' plain.txt)
"
sim show --as-set
expect_status 0
expect_err "left out button.6: function 600700 has no set word"
expect_no_out "button.6="
sim show
expect_out "# left out: button.6: function 600700 has no set word"

finish
