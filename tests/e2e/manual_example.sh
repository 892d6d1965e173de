#!/usr/bin/env bash
# The C example of the developer guide, compiled by this build, against RadixPad under
# Wine: it finds the window through the shared store, asks the width by the registered
# message and types 12 into the decimal field by WM_COPYDATA.
#
#   manual_example.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR EXAMPLE_EXE
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" manual_example "$1" "$2" "$3" "$4"
example=$5

# Its output without the reply's closing empty lines.
run_example() { timeout 60 wine "$example" "$@" </dev/null 2>&1 | tr -d '\r' | sed '/^$/d'; }

got=$(run_example) && fail "the example succeeded without RadixPad: $got"
[[ $got == "RadixPad is not running" ]] || fail "without RadixPad the example said: $got"

rm -f "$ini"  # 32 bit, the decimal field signed
start_shown
got=$(run_example | paste -sd'|')
note "example: $got"
[[ $got == 'width: 2|200 OK|1100|14|12|C' ]] || fail "the example printed '$got'"
got=$(run_example 100*100 | paste -sd'|')
note "example 100*100: $got"
[[ $got == 'width: 2|200 OK|10011100010000|23420|10000|2710' ]] || fail "the example printed '$got'"
close_radixpad
echo "manual_example: PASS"
