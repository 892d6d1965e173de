#!/usr/bin/env bash
# Hiding and calling up: Escape and the tray icon's click, the pop-up menu (hide and
# show with its check mark, always on top with its check mark and its saved setting,
# quit), the same menu from a right click on the window's background, the About box from
# the system menu, the hot key Ctrl+Shift+V after a hidden start without tray icon, the
# icon in the notification area after a hidden start (at once, and after a delay) that
# shows the window when clicked, and a hidden start with a pending tray icon that ends at
# once when asked to close.
#
#   tray.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" tray "$@"

tray_message=0x464 wm_lbuttondown=0x201 wm_syscommand=0x112
expect_visible() {
  local got
  for _ in $(seq 30); do
    got=$(drive state | awk '{print $2}')
    [[ $got == "$1" ]] && { note "$2: visible $got"; return 0; }
    sleep 0.1
  done
  fail "$2: visible should be $1, it is $got"
}
expect_topmost() {
  [[ $(topmost) == "$1" ]] || fail "$2: WS_EX_TOPMOST should be $1"
  note "$2: topmost $1"
}

# Starts RadixPad hidden ("-icon") with the settings file $1 while the driver watches:
# $watch gets "tray-icon absent|present ..." as soon as the window exists, then
# "tray-icon present X Y after MS ms" counted from then. The driver waits before
# RadixPad starts, so it sees the window within moments of its creation.
start_watched() {
  printf '%s' "$1" >"$ini"
  watch="$work/tray-watch.txt"
  drive wait-exists 60 tray-icon wait-tray-icon 30 >"$watch" &
  watcher=$!
  sleep 1.5
  start_radixpad -icon
  wait "$watcher" || fail "no tray icon after the hidden start: $(cat "$watch")"
  sed "s/^/$e2e_name: watched /" "$watch"
  read -r _ _ icon_x icon_y _ icon_ms _ < <(sed -n 2p "$watch")
}
# The window shows when the icon in the notification area is clicked: the icon is
# RadixPad's.
click_tray_icon() {
  xdotool mousemove "$icon_x" "$icon_y" click 1
  expect_visible 1 "$1"
}

rm -f "$ini"
start_shown
# Shown at start: the icon is in the notification area at once.
[[ $(tray_icon) == present* ]] || fail "no icon in the notification area after a shown start"
note "notification area: $(tray_icon)"
# Escape hides; the tray icon's left click shows the window again.
drive activate >/dev/null
key Escape
expect_visible 0 "Escape"
drive post $tray_message 0 $wm_lbuttondown >/dev/null || fail "cannot post to the window"
expect_visible 1 "tray icon clicked"
# The menu's "アイコン化(&H)" hides, and on a hidden window (its check mark set) shows again.
menu_open_tray
expect_menu_check $menu_hide unchecked "menu on the shown window: hide"
menu_click $menu_hide
expect_visible 0 "menu: hide"
menu_open_tray
expect_menu_check $menu_hide checked "menu on the hidden window: hide"
menu_screenshot tray-menu-hidden
menu_click $menu_hide
expect_visible 1 "menu: show"
# "常に手前に表示(&T)" makes the window topmost and carries the check mark while it is;
# chosen again it clears both.
expect_topmost 0 "without settings"
menu_open_tray
expect_menu_check $menu_topmost unchecked "menu: always on top, off"
menu_click $menu_topmost
expect_topmost 1 "menu: always on top chosen"
menu_open_tray
expect_menu_check $menu_topmost checked "menu: always on top, on"
menu_screenshot tray-menu-topmost
menu_click $menu_topmost
expect_topmost 0 "menu: always on top chosen again"
menu_open_tray
expect_menu_check $menu_topmost unchecked "menu: always on top, off again"
menu_click $menu_topmost
expect_topmost 1 "menu: always on top chosen a third time"
# The About box from the system menu's entry 0x10: the version in control 1136.
drive post $wm_syscommand 0x10 0 >/dev/null
about=$(drive wait-dialog 10 1136) || fail "the About box did not open"
echo "$about" | sed "s/^/$e2e_name: about /"
[[ $about == "caption バージョン情報"$'\n'"text 1136 4.0.2" ]] || fail "the About box should show version 4.0.2"
import -window root "$shots/about.png"
note "screenshot $shots/about.png"
drive close-dialog >/dev/null || fail "cannot close the About box"
sleep 0.5

# The menu's "終了(&Q)" ends the program cleanly; the window was on top, and that is saved.
menu_open_tray
menu_click $menu_quit
wait_exit "$pid" || fail "the menu's quit did not end RadixPad cleanly"
drive wait-gone 5 >/dev/null || fail "the window is still there"
[[ $(ini_value Floating) == 1 ]] || fail "Floating should be saved as 1, it is '$(ini_value Floating)'"
note "saved Floating=1"
[[ $(tray_icon) == absent ]] || fail "the icon stayed in the notification area after the quit"

# Started again, the window is on top at once. A right click on the background opens the
# same menu, with the check mark; choosing the item there takes the window off the top,
# and that is saved.
start_shown
expect_topmost 1 "started with Floating=1"
menu_open_background 186 12
expect_menu_check $menu_topmost checked "background menu: always on top"
menu_screenshot background-menu
menu_click $menu_topmost
expect_topmost 0 "background menu: always on top chosen"
close_radixpad
[[ $(ini_value Floating) == 0 ]] || fail "Floating should be saved as 0, it is '$(ini_value Floating)'"
note "saved Floating=0"

# Hidden start without tray icon: Ctrl+Shift+V, typed on the keyboard, shows the window.
printf '[MAIN WINDOW]\r\nTrayIcon=0\r\n' >"$ini"
start_radixpad -icon
drive wait-exists 30 >/dev/null || fail "the hidden window was not created"
sleep 1
expect_visible 0 "-icon"
[[ $(tray_icon) == absent ]] || fail "an icon appeared with TrayIcon=0"
xdotool key ctrl+shift+v
drive wait-window 10 >/dev/null || fail "Ctrl+Shift+V did not show the window"
note "Ctrl+Shift+V showed the window"
close_radixpad

# Hidden start without delay: the icon comes at once, the window stays hidden until the
# icon is clicked, and the icon goes when RadixPad ends.
start_watched $'[MAIN WINDOW]\r\nTrayIcon=1\r\nTrayDelay=0\r\n'
((icon_ms < 1000)) || fail "TrayDelay=0: the icon came $icon_ms ms after the window, not at once"
expect_visible 0 "TrayDelay=0, icon there"
click_tray_icon "TrayDelay=0: the icon clicked"
close_radixpad
[[ $(tray_icon) == absent ]] || fail "the icon stayed in the notification area after the end"

# Hidden start with a 2-second delay: no icon at first, the icon after the delay.
start_watched $'[MAIN WINDOW]\r\nTrayIcon=1\r\nTrayDelay=2\r\n'
[[ $(head -n1 "$watch") == 'tray-icon absent' ]] || fail "TrayDelay=2: the icon was there at once"
((icon_ms >= 1500 && icon_ms < 10000)) || fail "TrayDelay=2: the icon came $icon_ms ms after the window"
expect_visible 0 "TrayDelay=2, icon there"
screenshot_at tray-icon "240x40+$((icon_x - 220))+$((icon_y - 20))"
# The icon's right click opens the menu at the icon.
xdotool mousemove "$icon_x" "$icon_y" click 3
drive wait-popup 10 >/dev/null || fail "the icon's right click did not open the pop-up menu"
screenshot_at tray-icon-menu "320x200+$((icon_x - 300))+$((icon_y - 180))"
menu_dismiss
expect_visible 0 "the icon's menu dismissed"
click_tray_icon "TrayDelay=2: the icon clicked"
close_radixpad

# Hidden start with the icon 30 seconds away: closing (as setup does) ends it at once.
printf '[MAIN WINDOW]\r\nTrayIcon=1\r\nTrayDelay=30\r\n' >"$ini"
start_radixpad -icon
drive wait-exists 30 >/dev/null || fail "the hidden window was not created"
sleep 1
[[ $(tray_icon) == absent ]] || fail "TrayDelay=30: the icon is there after a second"
started=$(date +%s)
drive close >/dev/null || fail "cannot close RadixPad"
wait_exit "$pid" 10 || fail "RadixPad did not end during the tray delay"
note "ended $(($(date +%s) - started)) s after WM_CLOSE during the tray delay"
[[ $(ini_value TrayIcon) == 1 ]] || fail "the tray flag was not kept"

rm -f "$ini"
note PASS
