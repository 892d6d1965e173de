# Helpers of the end-to-end tests: source it from a test script with
#   source lib.sh NAME RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
# It prepares this build's Wine environment, a program folder for RadixPad with its
# message catalogue and default skin and settings-button images, and functions to start, drive, photograph and end RadixPad.
# Every RadixPad started here is ended when the script exits.
set -euo pipefail
e2e_name=$1 exe=$2 driver=$3 build=$4 src=$5

# shellcheck source=../../tools/wine-env
source "$src/tools/wine-env" "$build" --transient

work="$build/e2e/$e2e_name"
shots="$build/screenshots"
rm -rf "$work"
mkdir -p "$work" "$shots"
cp "$exe" "$work/RadixPad.exe"
cp "$src/resources/MESSAGE.INI" "$work/MESSAGE.INI"
cp "$src/resources/skin.png" "$src/resources/icon.png" "$work/"
# The settings file lies in the Windows folder of the prefix.
ini="$WINEPREFIX/drive_c/windows/RadixPad.ini"

fail() { echo "$e2e_name: FAIL: $*" >&2; exit 1; }
# A command that ends the script through `set -e` says which one it was.
trap 'echo "$e2e_name: FAIL: line $LINENO ended the test: $BASH_COMMAND" >&2' ERR
note() { echo "$e2e_name: $*"; }
drive() { timeout 60 wine "$driver" "$@" </dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }

pids=()
# Starts RadixPad with the given arguments in the background; sets $pid.
start_radixpad() {
  wine "$work/RadixPad.exe" "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  pids+=("$pid")
}
# Starts RadixPad and waits for its window to show.
start_shown() {
  start_radixpad "$@"
  drive wait-window 60 >/dev/null || fail "the converter window did not appear"
  sleep 0.5  # the first paint
}
# Waits until process $1 has ended; fails after $2 seconds (default 10).
wait_exit() {
  local p=$1 limit=${2:-10} status=0
  for _ in $(seq $((limit * 10))); do
    kill -0 "$p" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$p" 2>/dev/null && return 1
  wait "$p" || status=$?
  return "$status"
}
# Closes the converter window as Alt+F4 would and waits for the process to end.
# A window search that misses is asked once more; if the window is still not
# found, the failure says whether the process is alive or how it ended.
close_radixpad() {
  if ! drive close >/dev/null && ! { sleep 1; drive close >/dev/null; }; then
    if kill -0 "$pid" 2>/dev/null; then
      fail "cannot close RadixPad: no window found while the process runs"
    fi
    local status=0
    wait "$pid" || status=$?
    fail "cannot close RadixPad: it had already ended with status $status"
  fi
  wait_exit "$pid" || fail "RadixPad did not end cleanly"
  drive wait-gone 5 >/dev/null || fail "the window is still there"
}
cleanup() {
  for p in "${pids[@]}"; do
    if kill -0 "$p" 2>/dev/null; then
      drive close >/dev/null 2>&1 || true
      sleep 1
      kill "$p" 2>/dev/null || true
    fi
  done
}
trap cleanup EXIT

# The mouse on the client point (X, Y) of the converter window, and a click there.
click() {
  local at
  at=$(drive point "$1" "$2") || fail "cannot place the mouse"
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
  sleep 0.3
}
# Types into the focused control as a user would, one key at a time.
type_keys() { xdotool type --delay 40 -- "$1"; sleep 0.4; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

# The four field texts on one line, separated by "|".
fields() { drive fields | cut -d' ' -f2- | paste -sd'|'; }
expect_fields() {
  local got
  got=$(fields)
  [[ $got == "$1" ]] || fail "${2:-fields}: expected '$1', got '$got'"
  note "fields $got"
}

# A picture of the converter window and a margin around it.
screenshot() {
  local state x y
  state=$(drive state) || fail "cannot find the window"
  read -r _ _ _ _ _ x _ y <<<"$state"
  import -window root -crop "330x170+$((x > 10 ? x - 10 : 0))+$((y > 10 ? y - 10 : 0))" +repage "$shots/$1.png"
  note "screenshot $shots/$1.png"
}

# A picture of the window whose screen rectangle is the crop geometry $2 (WxH+X+Y).
screenshot_at() {
  import -window root -crop "$2" +repage "$shots/$1.png"
  note "screenshot $shots/$1.png"
}

# The value of KEY in the settings file ("" when missing).
ini_value() { tr -d '\r' <"$ini" | sed -n "s/^$1=//p" | head -n1; }

# Clicks into control ID (a field: the caret goes where the mouse is).
click_control() {
  local at
  at=$(drive center "$1") || fail "cannot find control $1"
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
  sleep 0.3
}
# Clicks into field ID and deletes its text with the keyboard.
clear_field() {
  click_control "$1"
  key End shift+Home BackSpace
}

# The pop-up menu opens with its top left corner at the mouse, so each item's row lies
# at a fixed offset below that point (measured on this prefix's menu font).
menu_settings=11 menu_topmost=37 menu_tray=54 menu_hide=71 menu_about=97 menu_quit=114
menu_x=0 menu_y=0
# Opens the menu as the tray icon's right click does, with the mouse at (100, 100).
menu_open_tray() {
  menu_x=100 menu_y=100
  xdotool mousemove $menu_x $menu_y
  drive post 0x464 0 0x205 >/dev/null || fail "cannot post to the window"
  drive wait-popup 10 >/dev/null || fail "the pop-up menu did not open"
  sleep 0.3
}
# Opens the menu with a right click on the window's background at client point ($1, $2).
menu_open_background() {
  local at
  at=$(drive point "$1" "$2") || fail "cannot place the mouse"
  read -r menu_x menu_y <<<"$at"
  xdotool mousemove "$menu_x" "$menu_y" click 3
  drive wait-popup 10 >/dev/null || fail "a right click on the background did not open the pop-up menu"
  sleep 0.3
}
# Clicks the item at offset $1; the menu closes. A click works whether or not the
# window could take the keyboard focus.
menu_click() {
  xdotool mousemove $((menu_x + 60)) $((menu_y + $1)) click 1
  drive wait-no-popup 10 >/dev/null || fail "the pop-up menu did not close"
  sleep 0.3
}
# Closes the open menu without choosing: a click on the empty desktop, away from the
# window, the menus and the taskbar.
menu_dismiss() {
  xdotool mousemove 600 400 click 1
  drive wait-no-popup 10 >/dev/null || fail "the pop-up menu did not close"
  sleep 0.3
}
# The dark pixels in the check-mark column of the item at offset $1: a check mark
# has dozens, an unchecked item none.
menu_check_pixels() {
  import -window root -crop "16x14+$((menu_x + 1))+$((menu_y + $1 - 7))" +repage png:- |
    convert png:- -colorspace gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}
expect_menu_check() {
  local dark
  dark=$(menu_check_pixels "$1")
  if [[ $2 == checked ]]; then
    ((dark >= 5)) || fail "$3: the item should carry a check mark ($dark dark pixels)"
  else
    ((dark == 0)) || fail "$3: the item should carry no check mark ($dark dark pixels)"
  fi
  note "$3: $2 ($dark dark pixels)"
}
# A picture of the open menu and the screen around its corner.
menu_screenshot() { screenshot_at "$1" "320x200+$((menu_x > 20 ? menu_x - 20 : 0))+$((menu_y > 20 ? menu_y - 20 : 0))"; }

# The notification area's icon: "present X Y" or "absent".
tray_icon() { drive tray-icon | sed 's/^tray-icon //'; }
# WS_EX_TOPMOST of the converter window: 1 or 0.
topmost() {
  local exstyle
  read -r _ _ _ exstyle <<<"$(drive styles)"
  echo $(((16#$exstyle & 16#8) != 0))
}
