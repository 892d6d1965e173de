#!/usr/bin/env bash
# Start-up and single instance: the shared store with the window handle, a second
# RadixPad that brings the first forward and ends, Escape, the hidden start with
# "-icon" in any case, the debug switch, and the store's file removed on exit. Prints
# the wall time from starting RadixPad.exe to its window showing.
#
#   start_up.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" start_up "$@"

# The store as "HWnd=H Debug=D" once the window has published it.
published_store() {
  local out
  for _ in $(seq 50); do
    out=$(drive store) || fail "cannot read the store"
    if [[ $out == "store HWnd="*" Debug="[01]* ]]; then
      echo "$out"
      return 0
    fi
    sleep 0.1
  done
  fail "the store was not published: $out"
}
expect_state() {
  local got
  got=$(drive state) || fail "cannot find the window"
  [[ $got == "$1"* ]] || fail "$2: expected '$1...', got '$got'"
  note "$2: $got"
}
# A second RadixPad must end by itself without showing a window of its own.
start_second() {
  local first=$pid
  start_radixpad
  wait_exit "$pid" 20 || fail "the second RadixPad did not end"
  pid=$first
}

rm -f "$ini"
started=$(date +%s%N)
start_radixpad
drive wait-window 30 >/dev/null || fail "the converter window did not appear"
note "window shown $((($(date +%s%N) - started) / 1000000)) ms after starting RadixPad.exe"

# The store holds this window's handle and the debug switch; its file is in TEMP.
store=$(published_store)
note "$store"
handle=$(drive handle)
[[ $store == "store HWnd=$handle Debug=0"$'\n'"file "*" present" ]] || fail "the store should hold HWnd=$handle and Debug=0"
# The file itself: key=value lines ending in CR LF, closed by an empty line.
store_file=$(find "$WINEPREFIX/drive_c/users" -path '*/Temp/fmo5261646978506164' | head -n1)
[[ -n $store_file ]] || fail "no store file in TEMP"
[[ $(od -c "$store_file") == "$(printf 'HWnd=%s\r\nDebug=0\r\n\r\n' "$handle" | od -c)" ]] ||
  fail "the store file holds: $(od -c "$store_file")"

# Escape hides the window; a second RadixPad shows it, brings it forward and ends.
drive activate >/dev/null
key Escape
expect_state "visible 0" "after Escape"
start_second
expect_state "visible 1 foreground 1" "after a second start"

close_radixpad
store=$(drive store)
[[ $store == "store none"$'\n'"file "*" absent" && ! -e $store_file ]] || fail "the store outlived RadixPad: $store"
note "after exit: $store"

# "-icon" in any case starts hidden; the second start shows the hidden window.
for word in -icon -ICON; do
  start_radixpad "$word"
  drive wait-exists 30 >/dev/null || fail "RadixPad $word made no window"
  published_store >/dev/null
  sleep 1  # the moment the modal loop would show the window
  expect_state "visible 0" "started with $word"
  start_second
  expect_state "visible 1 foreground 1" "$word, then a second start"
  close_radixpad
done

# "-icon" followed by another word is not the hidden start.
start_shown -icon extra
expect_state "visible 1" "started with -icon extra"
close_radixpad

# The debug switch is published and makes the LOG folder in the program folder.
printf '[ENVIRONMENT]\r\nDebug=1\r\n' >"$ini"
start_shown
store=$(published_store)
[[ $store == "store HWnd="*" Debug=1"* ]] || fail "the store should hold Debug=1: $store"
[[ -d $work/LOG ]] || fail "debug mode made no LOG folder"
close_radixpad
rm -f "$ini"

note PASS
