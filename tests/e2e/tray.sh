#!/usr/bin/env bash
# Hiding and calling up: Escape and the tray icon's click, the tray icon's pop-up menu
# (hide, show, quit), the About box from the system menu, the hot key
# Ctrl+Shift+V after a hidden start without tray icon, and a hidden start with a
# pending tray icon that ends at once when asked to close.
#
#   tray.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh" tray "$@"

tray_message=0x464 wm_lbuttondown=0x201 wm_rbuttonup=0x205 wm_syscommand=0x112
expect_visible() {
  local got
  for _ in $(seq 30); do
    got=$(drive state | awk '{print $2}')
    [[ $got == "$1" ]] && { note "$2: visible $got"; return 0; }
    sleep 0.1
  done
  fail "$2: visible should be $1, it is $got"
}
# Opens the pop-up menu as the tray icon's right click does and clicks an item: the
# menu opens at the mouse, so with the mouse at (100, 100) each item has a fixed place
# (offsets measured on this prefix's menu font). A click works whether or not the
# hidden window could take the keyboard focus.
item_hide=71 item_quit=114
menu_pick() {
  xdotool mousemove 100 100
  drive post $tray_message 0 $wm_rbuttonup >/dev/null || fail "cannot post to the window"
  drive wait-popup 10 >/dev/null || fail "the pop-up menu did not open"
  sleep 0.3
  [[ -n ${2:-} ]] && import -window root -crop 320x200+80+80 +repage "$shots/$2.png" && note "screenshot $shots/$2.png"
  xdotool mousemove 160 $((100 + $1)) click 1
  sleep 0.5
}

rm -f "$ini"
start_shown
# Escape hides; the tray icon's left click shows the window again.
drive activate >/dev/null
key Escape
expect_visible 0 "Escape"
drive post $tray_message 0 $wm_lbuttondown >/dev/null || fail "cannot post to the window"
expect_visible 1 "tray icon clicked"
# The menu's "アイコン化(&H)" hides, and on a hidden window (its check mark set) shows again.
menu_pick $item_hide
expect_visible 0 "menu: hide"
menu_pick $item_hide tray-menu-hidden
expect_visible 1 "menu: show"
# The About box from the system menu's entry 0x10: the version in control 1136.
drive post $wm_syscommand 0x10 0 >/dev/null
about=$(drive wait-dialog 10 1136) || fail "the About box did not open"
echo "$about" | sed "s/^/$e2e_name: about /"
[[ $about == "caption バージョン情報"$'\n'"text 1136 4.0.2" ]] || fail "the About box should show version 4.0.2"
import -window root "$shots/about.png"
note "screenshot $shots/about.png"
drive close-dialog >/dev/null || fail "cannot close the About box"
sleep 0.5

# The menu's "終了(&Q)" ends the program cleanly.
menu_pick $item_quit
wait_exit "$pid" || fail "the menu's quit did not end RadixPad cleanly"
drive wait-gone 5 >/dev/null || fail "the window is still there"

# Hidden start without tray icon: Ctrl+Shift+V, typed on the keyboard, shows the window.
printf '[MAIN WINDOW]\r\nTrayIcon=0\r\n' >"$ini"
start_radixpad -icon
drive wait-exists 30 >/dev/null || fail "the hidden window was not created"
sleep 1
expect_visible 0 "-icon"
xdotool key ctrl+shift+v
drive wait-window 10 >/dev/null || fail "Ctrl+Shift+V did not show the window"
note "Ctrl+Shift+V showed the window"
close_radixpad

# Hidden start with the icon 30 seconds away: closing (as setup does) ends it at once.
printf '[MAIN WINDOW]\r\nTrayIcon=1\r\nTrayDelay=30\r\n' >"$ini"
start_radixpad -icon
drive wait-exists 30 >/dev/null || fail "the hidden window was not created"
sleep 1
started=$(date +%s)
drive close >/dev/null || fail "cannot close RadixPad"
wait_exit "$pid" 10 || fail "RadixPad did not end during the tray delay"
note "ended $(($(date +%s) - started)) s after WM_CLOSE during the tray delay"
[[ $(ini_value TrayIcon) == 1 ]] || fail "the tray flag was not kept"

rm -f "$ini"
note PASS
