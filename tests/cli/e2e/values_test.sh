# velmaroctl set: values that cannot reach the mouse are refused and change
# nothing; friendly spellings are taken and shown back in set's own words.
. "$(dirname "$0")/lib.sh"

sim show >/dev/null
cp "$CONFIG/default0.psf" before.psf

# PAIR|MESSAGE
while IFS='|' read -r pair message; do
    step "refused: $pair"
    sim --trace t set "$pair"
    expect_status 2
    expect_err "set: $pair: $message"
    expect_equal "$(sent_commands_line t)" "20"
    rm -f t
    cmp -s before.psf "$CONFIG/default0.psf" || fail "the profile file changed"
done <<'TABLE'
button.3=key:f13|"f13" has no keyboard usage: the mouse cannot send it
button.3=key:ctrl+F24|"F24" has no keyboard usage
button.3=key:mouse x|"mouse x" is a mouse action only a macro can play
button.3=key:lbutton|"lbutton" has no keyboard usage
dpi.0=150|below this sensor's lowest step, 200 DPI
dpi.0=10050|above this sensor's highest step, 10000 DPI
dpi.5=800|no such DPI level (0..4)
dpi.current=7|out of range
lighting.mode=custom|lighting modes custom (6) and two-tone (7) cannot be chosen
liftoff=1|this sensor has no lift-off setting
button.3=macro:Nothing|no macro "Nothing" in the library
TABLE

# TYPED|SHOWN: set TYPED on a fresh folder, show has the line SHOWN.
while IFS='|' read -r typed shown; do
    step "spelling: $typed"
    rm -rf "$DATA"
    sim set "$typed"
    expect_status 0
    sim show
    expect_out "$shown"
done <<'TABLE'
wakeup=no|wakeup=off
move-lighting=TRUE|move-lighting=on
dpi.1.enabled=False|dpi.1.enabled=off
dpi.1.enabled=0|dpi.1.enabled=off
dpi.2.color=magenta|dpi.2.color=#FF00FF
dpi.2.color=#abcdef|dpi.2.color=#ABCDEF
dpi.2.color=abcdef|dpi.2.color=#ABCDEF
lighting.mode=BREATHING|lighting.mode=breathing
lighting.mode=Color-Cycle|lighting.mode=colour-cycle
lighting.mode=8|lighting.mode=flicker
lighting.direction=Down|lighting.direction=down
button.3=key:Escape|button.3=key:escape
button.3=key:ctrl+delete|button.3=key:ctrl+delete
button.3=key:shift+PageUp|button.3=key:shift+pageup
button.3=key:shift+Page Up|button.3=key:shift+pageup
button.3=key:super+e|button.3=key:win+e
button.3=key:meta+pgdn|button.3=key:win+pagedown
button.3=key:ctrl+;|button.3=key:ctrl+semicolon
button.3=MEDIA:Mute|button.3=media:mute
TABLE

step "a DPI between two steps: what was applied is said"
sim set dpi.0=450
expect_status 0
expect_err "dpi.0=450 -> 500"
sim show
expect_out "dpi.0=500"

finish
