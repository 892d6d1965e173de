#!/usr/bin/env bash
# Help tips: resting the mouse on a skin button opens its tip below the pointer, moving
# to another button replaces it, the background closes it, and with the Help setting off
# none ever opens.
#
#   help_tips.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" help_tips "$@"

hover() {
  # shellcheck disable=SC2046
  xdotool mousemove $(drive point "$1" "$2")
}
# Waits up to 3 s for the tip to read $1 ("none": no tip).
expect_tip() {
  local got=""
  for _ in $(seq 30); do
    got=$(drive tip | sed 's/^tip //')
    [[ $got == "$1" ]] && break
    sleep 0.1
  done
  [[ $got == "$1" ]] || fail "$2: expected tip '$1', got '$got'"
  note "$2: tip $got"
}

rm -f "$ini"
start_shown
hover 186 12
expect_tip none "on the background"
hover 120 12
expect_tip "8 bit" "on the 8 bit button"
screenshot help-tip
hover 145 12
expect_tip "16 bit" "on the 16 bit button"
hover 230 12
expect_tip "設定" "on the settings button"
hover 186 12
expect_tip none "back on the background"
hover 6 40
expect_tip none "on the hidden warning mark"
close_radixpad

# Help off: no tip, even after resting on a button.
{ printf '[ENVIRONMENT]\r\n'; printf 'Help=0\r\n'; } >"$ini"
start_shown
hover 120 12
sleep 1
expect_tip none "Help=0 on the 8 bit button"
# The close button ends the program as the menu's Quit does, saving its settings.
rm -f "$ini"
click 270 8
wait_exit "$pid" || fail "the close button did not end RadixPad cleanly"
drive wait-gone 5 >/dev/null || fail "the window is still there after the close button"
[[ -f $ini ]] || fail "the close button did not save the settings"

rm -f "$ini"
note PASS
