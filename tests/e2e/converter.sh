#!/usr/bin/env bash
# The converter window driven with the real keyboard and mouse: live conversion while
# typing, Enter, calculation hold, widths and signs, and the warning mark with its
# dialog. Screenshots: converter-default, converter-typed, converter-hold,
# converter-warning and warning-dialog.
#
#   converter.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" converter "$@"

rm -f "$ini"  # the defaults: 32 bit; BIN, OCT, HEX unsigned, DEC signed
start_shown
expect_fields "0|0|0|0" "a new window"
screenshot converter-default

# Live conversion: each keystroke converts; the typed field keeps its text.
clear_field 1168
type_keys "10+20"
expect_fields "11110|36|10+20|1E" "typing 10+20 into DEC"
screenshot converter-typed

# Enter writes the value into the typed field as well and selects it.
key Return
expect_fields "11110|36|30|1E" "Enter"
[[ $(drive selection 1168) == "0 2" ]] || fail "Enter did not select the decimal text"
[[ $(drive focus) == 1168 ]] || fail "the decimal field lost the focus"

# Hold: the other fields show the expression itself in their radix. Clicking a skin
# button leaves the focus in the field, so typing replaces the selected text.
click 200 12
type_keys "10+20"
expect_fields "1010+10100|12+24|10+20|A+14" "hold on"
screenshot converter-hold
key Return  # releases hold (KeepLock is 0)
expect_fields "11110|36|30|1E" "Enter with hold on"

# 16 bit: -1 in the signed decimal field is FFFF in the unsigned hexadecimal one.
click 145 12
type_keys "-1"
expect_fields "1111111111111111|177777|-1|FFFF" "16 bit, -1"

# 8 bit: 100+100 overflows the signed decimal type. The mark appears beside the field.
click 124 12
clear_field 1168
type_keys "100+100"
expect_fields "11001000|310|100+100|C8" "8 bit, 100+100"
# The amber of the mark's triangle, below the dot of its exclamation mark.
mark_colour=F0B010
[[ $(drive pixel 6 81) == "$mark_colour" ]] || fail "no warning mark beside the decimal field"
[[ $(drive pixel 6 60) != "$mark_colour" ]] || fail "a warning mark beside the octal field"
screenshot converter-warning

# The mark opens the warning dialog with the catalogue's sentence for W_OVERFLOW.
expected=$(tr -d '\r' <"$work/MESSAGE.INI" | iconv -f CP932 -t UTF-8 | sed -n 's/^W_OVERFLOW=//p')
expected=${expected//\$string2/}
click 6 79
warnings=$(drive wait-warnings 10) || fail "the warning dialog did not open"
echo "$warnings" | sed "s/^/$e2e_name: dialog /"
[[ $warnings == "caption 警告の詳細"$'\n'"item $expected" ]] || fail "the warning dialog should list '$expected'"
import -window root -crop 420x260+0+0 +repage "$shots/warning-dialog.png"
drive close-warnings >/dev/null || fail "cannot close the warning dialog"
sleep 0.5
[[ $(drive focus) == 1168 ]] || fail "the focus did not return to the decimal field"

# The next keystroke that gives no warning hides the mark.
key BackSpace
expect_fields "1101110|156|100+10|6E" "BackSpace"
[[ $(drive pixel 6 81) != "$mark_colour" ]] || fail "the warning mark stayed"

close_radixpad
note PASS
