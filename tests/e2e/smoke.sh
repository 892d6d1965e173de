#!/usr/bin/env bash
# Smoke test of RadixPad.exe under Wine: start it with a two-colour skin in its program
# folder, read the four fields, check the window styles and that the skin is on screen,
# take a screenshot, check that Japanese text survives code page 932 and is drawn with a
# real font, close the window with Alt+F4 and check that the process ended cleanly.
#
#   smoke.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" smoke "$@"

# No settings file: the skin is the one in the program folder.
rm -f "$ini"
# Top half blue, bottom half orange: shows the image is decoded and not upside down. Its
# top-left pixel, the colour key, is magenta, so that no other colour of it is keyed out.
convert -size 279x100 xc:'#3366CC' -size 279x100 xc:'#CC6633' -append \
  -fill magenta -draw 'point 0,0' PNG24:"$work/skin.png"

start_radixpad
window=$(drive wait-window 30) || fail "the converter window did not appear"
echo "smoke: $window"

fields=$(drive fields) || fail "cannot read the fields"
echo "$fields" | sed 's/^/smoke: field /'
expected=$'1166 0\n1167 0\n1168 0\n1169 0'
[[ $fields == "$expected" ]] || fail "fields should all read 0"

# No caption bar (WS_CAPTION 0x00C00000) and a tool window (WS_EX_TOOLWINDOW 0x80).
styles=$(drive styles) || fail "cannot read the window styles"
echo "smoke: $styles"
read -r _ style _ exstyle <<<"$styles"
(( (16#$style & 16#00C00000) == 0 )) || fail "the window has a caption"
(( (16#$exstyle & 16#80) != 0 )) || fail "the window is not a tool window"

sleep 1  # let the first paint reach the screen
# Between the 32-bit and hold buttons, and beside the BIN label: no button covers them.
top=$(drive pixel 186 12) || fail "cannot read the screen"
bottom=$(drive pixel 5 105) || fail "cannot read the screen"
echo "smoke: skin pixels top $top bottom $bottom"
[[ $top == 3366CC && $bottom == CC6633 ]] || fail "the skin image is not the window background"

import -window root "$shots/smoke.png"
echo "smoke: screenshot $shots/smoke.png"

# Japanese text: it must come back unchanged through the ANSI (932) interface, and two
# different texts must look different. Without a Japanese font both would be drawn as
# the same empty boxes; under another code page both would be question marks.
drive set-text 1166 日本語 >/dev/null || fail "cannot write a field"
sleep 0.5
import -window root "$work/japanese-1.png"
drive set-text 1166 漢字列 >/dev/null || fail "cannot write a field"
sleep 0.5
import -window root "$shots/smoke-japanese.png"
[[ $(drive fields | head -n1) == "1166 漢字列" ]] || fail "Japanese text did not survive code page 932"
changed=$(compare -metric AE "$work/japanese-1.png" "$shots/smoke-japanese.png" null: 2>&1 || true)
echo "smoke: pixels changed between two Japanese texts: $changed"
[[ $changed =~ ^[0-9]+$ && $changed -gt 20 ]] || fail "Japanese text is not drawn with a Japanese font"
echo "smoke: screenshot $shots/smoke-japanese.png"

drive activate >/dev/null || fail "cannot activate the window"
xdotool key --clearmodifiers alt+F4
wait_exit "$pid" || fail "Alt+F4 did not end RadixPad cleanly"
drive wait-gone 5 >/dev/null || fail "the window is still there"
echo "smoke: PASS"
