#!/usr/bin/env bash
# The settings file RadixPad.ini in the Windows folder: the defaults without one, every
# key written on exit, stored values applied at start (width, signs, MASTER, KeepLock,
# the position clamped to the desktop), button changes saved, and a damaged file that
# neither stops RadixPad nor survives its next exit.
#
#   settings.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" settings "$@"

expect_ini() {
  local key value
  for pair in "$@"; do
    key=${pair%%=*} value=${pair#*=}
    [[ $(ini_value "$key") == "$value" ]] || fail "$key should be written as '$value', got '$(ini_value "$key")'"
  done
  note "written: $*"
}
position() { drive state | awk '{print $6, $8}'; }

# No file: 32 bit, BIN/OCT/HEX unsigned, DEC signed.
rm -f "$ini"
start_shown
clear_field 1168
type_keys "-1"
expect_fields "11111111111111111111111111111111|37777777777|-1|FFFFFFFF" "the defaults"
# The background drags the window; a button pressed and left does not.
read -r x y <<<"$(position)"
drag() {
  # shellcheck disable=SC2046
  xdotool mousemove $(drive point "$1" "$2") mousedown 1 sleep 0.2 mousemove_relative 50 25 sleep 0.1 \
    mousemove_relative 50 25 sleep 0.2 mouseup 1
  sleep 0.5
}
drag 108 12
[[ $(position) == "$((x + 100)) $((y + 50))" ]] || fail "dragging the background should move the window by 100 50"
drag 200 12
[[ $(position) == "$((x + 100)) $((y + 50))" ]] || fail "dragging from a button moved the window"
type_keys "0"
expect_fields "11111111111111111111111111110110|37777777766|-10|FFFFFFF6" "hold untouched"
read -r x y <<<"$(position)"
close_radixpad
[[ -f $ini ]] || fail "no settings file was written"
folder=$(winepath -w "$work")
expect_ini Back=0 Fore=0 Skin=0 "SkinFile=$folder\\skin.png" "IconFile=$folder\\icon.png" PosX="$x" PosY="$y" \
  Floating=0 TrayIcon=1 TrayDelay=30 FlatButton=0 \
  Help=1 KeepLock=0 Debug=0 Master=0 Sign=0 SignBin=1 SignOct=1 SignDec=0 SignHex=1 Bit=2
keys=$(tr -d '\r' <"$ini" | grep -c '=')
[[ $keys -eq 21 ]] || fail "the file should hold 21 keys, it holds $keys"

# Stored values: 16 bit, HEX signed, MASTER on, Sign 5 (unsigned), KeepLock, and a
# position left of the desktop.
printf '[MAIN WINDOW]\r\nPosX=-50\r\nPosY=60\r\n[ENVIRONMENT]\r\nBit=1\r\nSignHex=0\r\nMaster=1\r\nSign=5\r\nKeepLock=1\r\n' >"$ini"
start_shown
[[ $(position) == "0 60" ]] || fail "PosX -50 should place the window at x 0, it is at $(position)"
clear_field 1168
type_keys "-1"
expect_fields "1111111111111111|177777|-1|\\-1" "16 bit with a signed HEX field"
click 200 12  # hold
key Return    # KeepLock: hold stays on
type_keys "10+20"
expect_fields "1010+10100|12+24|10+20|A+14" "Enter with KeepLock keeps hold"
click 124 12  # 8 bit
click 270 100 # HEX unsigned: MASTER goes off
close_radixpad
expect_ini PosX=0 PosY=60 Bit=0 Sign=1 SignHex=1 Master=0 KeepLock=1

# A position at the desktop's edge moves 100 pixels inside it.
printf '[MAIN WINDOW]\r\nPosX=1024\r\nPosY=768\r\n' >"$ini"
start_shown
[[ $(position) == "924 668" ]] || fail "a position at the edge should become 924 668, it is $(position)"
close_radixpad

# Damaged content: RadixPad starts, converts and writes a clean file again.
{
  printf '[MAIN WINDOW]\r\nPosX=99999999999999999999\r\nPosY=abc\r\nBack=-7\r\nSkinFile=%s\r\n' "$(head -c 600 /dev/zero | tr '\0' 'x')"
  printf '[ENVIRONMENT]\r\nBit=7\r\nSign=\r\nSignBin=-1\r\n=\r\n[\r\n'
  for byte in $(seq 1 255); do printf "\\x$(printf %02x "$byte")"; done
} >"$ini"
start_shown
clear_field 1168
type_keys "255"
# No width is selected, so the fields keep the engine's start mode: plain numbers.
expect_fields "255|255|255|255" "a damaged file"
read -r x y <<<"$(position)"
(( x >= 0 && x <= 924 && y >= 0 && y <= 668 )) || fail "the window is off the desktop at $x $y"
close_radixpad
# Out-of-range values are kept as read; a Bit outside 0..2 is not written at all.
expect_ini Back=-7 SignBin=1 PosX="$x" PosY="$y" Bit=7

rm -f "$ini"
note PASS
