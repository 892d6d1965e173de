#!/usr/bin/env bash
# The window's face: the default skin and icons on screen, a colour-keyed skin over the
# solid, transparent and wallpaper backgrounds, the Fore setting, flat buttons with their hover and pressed looks, and a press released outside
# its button that runs nothing.
#
#   skin.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" skin "$@"

# The colour of image pixel (X, Y) of a skin file as RRGGBB. The skin is drawn one
# pixel up, so client point (x, y) shows image pixel (x, y + 1).
skin_pixel() { convert "$1" -format "%[hex:p{$2,$(($3 + 1))}]" info: | cut -c1-6; }
pixel() { drive pixel "$1" "$2" || fail "cannot read the screen"; }
expect_pixel() {
  local got
  got=$(pixel "$1" "$2")
  [[ $got == "$3" ]] || fail "$4: pixel ($1, $2) should be $3, it is $got"
  note "$4: ($1, $2) $got"
}
# A settings file holding the given KEY=VALUE lines of the section MAIN WINDOW.
settings() { { printf '[MAIN WINDOW]\r\n'; printf '%s\r\n' "$@"; } >"$ini"; }

# The default skin: its own colours between the buttons and on a button's face (Fore 0
# leaves faces unpainted), and the icons drawn on the buttons.
rm -f "$ini"
start_shown
screenshot skin-default
expect_pixel 186 12 "$(skin_pixel "$work/skin.png" 186 12)" "the top bar"
expect_pixel 117 5 "$(skin_pixel "$work/skin.png" 117 5)" "the 8 bit button's face"
expect_pixel 6 40 "$(skin_pixel "$work/skin.png" 6 40)" "beside the BIN label"
# The glyph of the 8 bit button: its digit's blue (the icon resource is drawn).
expect_pixel 124 8 2060C0 "the 8 of the 8 bit icon"
# A press on 8 bit released outside it changes nothing; the fields stay 32 bit.
# shellcheck disable=SC2046
xdotool mousemove $(drive point 120 12) mousedown 1 sleep 0.3 mousemove $(drive point 150 70) sleep 0.3 mouseup 1
sleep 0.3
clear_field 1168
type_keys "-1"
expect_fields "11111111111111111111111111111111|37777777777|-1|FFFFFFFF" "release outside"
close_radixpad

# Fore 1: faces are half white over the skin.
settings Fore=1
start_shown
face=$(skin_pixel "$work/skin.png" 117 5)
half=$(printf '%02X%02X%02X' $((16#${face:0:2} + (255 - 16#${face:0:2}) * 127 / 255)) \
  $((16#${face:2:2} + (255 - 16#${face:2:2}) * 127 / 255)) $((16#${face:4:2} + (255 - 16#${face:4:2}) * 127 / 255)))
expect_pixel 117 5 "$half" "Fore 1 face"
screenshot skin-fore1
close_radixpad

# Flat buttons: no edges until the mouse is on one; hovering raises it, pressing sinks it.
settings FlatButton=1
start_shown
edge=$(skin_pixel "$work/skin.png" 114 8)
expect_pixel 114 8 "$edge" "a flat button's left edge"
# shellcheck disable=SC2046
xdotool mousemove $(drive point 120 12)
sleep 0.5
hover=$(pixel 114 8)
screenshot skin-flat-hover
[[ $hover != "$edge" ]] || fail "hovering does not raise the flat button"
xdotool mousedown 1
sleep 0.5
pressed=$(pixel 114 8)
screenshot skin-flat-pressed
xdotool mouseup 1
sleep 0.3
[[ $pressed != "$hover" && $pressed != "$edge" ]] || fail "pressing does not sink the flat button"
note "flat 8 bit button's left edge: normal $edge hover $hover pressed $pressed"
# The click went through: 8 bit.
clear_field 1168
type_keys "-1"
expect_fields "11111111|377|-1|FF" "a flat button clicked"
close_radixpad

# A colour-keyed skin: its top-left colour (magenta) shows the background wherever it
# appears; the skin's other colour is drawn.
keyed="$work/keyed.png"
convert -size 279x113 xc:'#40A040' -fill magenta -draw 'point 0,0' -draw 'rectangle 180,4 190,20' PNG24:"$keyed"
settings "SkinFile=$(winepath -w "$keyed")"
start_shown
keyhole=$(pixel 186 12)
expect_pixel 186 48 40A040 "the keyed skin's green"
[[ $keyhole != FF00FF && $keyhole != 40A040 ]] || fail "the magenta of the skin is drawn ($keyhole)"
note "through the key colour: $keyhole"
screenshot skin-keyed
close_radixpad

# Transparent (Back 1): through the key colour the desktop shows, as it does beside the
# window (nothing else is on this desktop).
settings "SkinFile=$(winepath -w "$keyed")" "Back=1"
start_shown
desktop=$(pixel 600 300)
expect_pixel 186 12 "$desktop" "Back 1 through the key colour"
screenshot skin-back1
close_radixpad
# Wallpaper (Back 2): whatever PaintDesktop paints shows through the key colour. Wine
# paints its own default there, not the colour of the virtual desktop, so only the
# skin's colours are ruled out.
settings "SkinFile=$(winepath -w "$keyed")" "Back=2"
start_shown
wallpaper=$(pixel 186 12)
[[ $wallpaper != FF00FF && $wallpaper != 40A040 ]] || fail "Back 2: the skin's colour shows ($wallpaper)"
note "Back 2 through the key colour: $wallpaper"
screenshot skin-back2
close_radixpad

rm -f "$ini"
note PASS
