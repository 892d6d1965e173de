#!/usr/bin/env bash
# The settings dialog under Wine: opened by the settings button, it shows the settings
# (the defaults without a settings file), unchecking the tray icon disables the delay
# at once, confirming applies and saves everything, cancelling changes nothing, and the
# image chooser opens with its preview check box; the pop-up menu's settings item opens
# the same dialog.
#
#   settings_dialog.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR DIALOG_DRIVER_EXE
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" settings_dialog "$1" "$2" "$3" "$4"
dialog_driver=$5

caption='RadixPadの設定'
ddrive() { timeout 60 wine "$dialog_driver" dialog "$caption" "$@" </dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
state() {
  ddrive selected 1000 selected 1001 selected 1002 text 1014 text 1015 check 1007 check 1024 check 1020 \
    check 1013 check 1021 text 1233 check 1233 check 1023 | paste -sd'|'
}
open_settings() {
  click 233 12  # the settings button
  ddrive wait-dialog 20 >/dev/null || fail "the settings dialog did not open"
}

rm -f "$ini"
# A 200 x 50 PNG picture, red on the left half and blue on the right, alone in the
# folder the chooser opens (RadixPad's working folder).
mkdir -p "$work/pictures"
convert -size 100x50 xc:'#E02020' -size 100x50 xc:'#2040E0' +append PNG24:"$work/pictures/preview.png"
cd "$work/pictures"
start_shown
folder=$(wine winepath.exe -w "$work" 2>/dev/null | tr -d '\r')

# The defaults, as the dialog shows them.
open_settings
got=$(state)
expected="1000 0|1001 0|1002 0|1014 $folder\\skin.png|1015 $folder\\icon.png|1007 checked enabled|1024 unchecked enabled|1020 unchecked enabled|1013 unchecked enabled|1021 checked enabled|1233 30|1233 unchecked enabled|1023 unchecked enabled"
[[ ${got,,} == "${expected,,}" ]] || fail "defaults: expected '$expected', got '$got'"
note "defaults $got"
screenshot_at settings-dialog "$(ddrive rect)"

# The image chooser: an open-file dialog with the preview check box, checked.
ddrive click 1016 >/dev/null || fail "cannot press the skin image button"
sleep 2
chooser=$(timeout 60 wine "$dialog_driver" dialog '開く' wait-dialog 20 check 6001 </dev/null | tr -d '\r') ||
  fail "the image chooser did not open with its preview check box"
note "chooser $chooser"
[[ $chooser == '6001 checked enabled' ]] || fail "the preview check box should start checked: $chooser"
# Show PNG files (the second filter), then select the picture in the file list: its
# preview appears, 100 x 25, centred.
timeout 60 wine "$dialog_driver" dialog '開く' select 1136 1 </dev/null >/dev/null || fail "cannot choose the PNG filter"
sleep 1
key shift+Tab
key Down
sleep 1
screenshot_at settings-chooser "$(timeout 60 wine "$dialog_driver" dialog '開く' rect </dev/null | tr -d '\r')"
# The picture's two colours on screen, outside the file list: where and how large.
shown=$(convert "$shots/settings-chooser.png" -fuzz 3% -fill '#FF00FE' -opaque '#E02020' -opaque '#2040E0' \
  -fuzz 0 -fill black +opaque '#FF00FE' -trim -format '%wx%h' info:)
note "preview of a 200x50 picture: $shown"
[[ $shown == 100x25 ]] || fail "the preview should show the 200x50 picture at 100x25, not $shown"
timeout 60 wine "$dialog_driver" dialog '開く' click 2 wait-gone 20 </dev/null >/dev/null || fail "cannot cancel the chooser"

# Unchecking the tray icon disables the delay at once.
ddrive click 1021 >/dev/null
sleep 0.5
[[ $(ddrive check 1233) == '1233 unchecked disabled' ]] || fail "the delay stays enabled without the tray icon"

# Confirm: everything is applied and saved, and the window looks different.
ddrive click 2 wait-gone 20 >/dev/null || fail "the dialog did not close"
sleep 0.5
screenshot settings-before
open_settings
ddrive click 1021 >/dev/null
sleep 0.3
ddrive select 1000 2 select 1001 1 select 1002 1 set-text 1233 -5 set-text 1015 "$folder\\skin.png" >/dev/null
for control in 1013 1020 1024 1023; do
  ddrive click "$control" >/dev/null
  sleep 0.3
done
ddrive click 1 wait-gone 20 >/dev/null || fail "the dialog did not close on confirm"
sleep 1
for pair in Back=2 Fore=1 Skin=1 TrayIcon=0 TrayDelay=-5 Floating=1 KeepLock=1 FlatButton=1 Debug=1 Help=1; do
  [[ $(ini_value "${pair%%=*}") == "${pair#*=}" ]] || fail "after confirm: expected $pair, got $(ini_value "${pair%%=*}")"
done
[[ $(ini_value IconFile) == *skin.png ]] || fail "the icon image was not saved: $(ini_value IconFile)"
[[ -d $work/LOG ]] || fail "debug mode did not make the LOG folder"
note "saved Back=2 Fore=1 Skin=1 TrayIcon=0 TrayDelay=-5 Floating=1 KeepLock=1 FlatButton=1 Debug=1 IconFile=$(ini_value IconFile)"
read -r _ _ _ exstyle <<<"$(drive styles)"
(( (16#$exstyle & 16#8) != 0 )) || fail "the window is not topmost after Floating was set"
screenshot settings-after
changed=$(compare -metric AE "$shots/settings-before.png" "$shots/settings-after.png" null: 2>&1 || true)
note "pixels changed by the new settings: $changed"
[[ $changed =~ ^[0-9]+$ && $changed -gt 1000 ]] || fail "the window's look did not change with the settings"

# Cancel changes nothing.
open_settings
ddrive click 1007 select 1000 0 >/dev/null
sleep 0.3
ddrive click 2 wait-gone 20 >/dev/null || fail "the dialog did not close on cancel"
sleep 0.5
[[ $(ini_value Help) == 1 && $(ini_value Back) == 2 ]] || fail "cancel changed the settings"

# The pop-up menu's "設定(&P)..." opens the same dialog, showing the settings in force.
menu_open_tray
menu_click $menu_settings
ddrive wait-dialog 20 >/dev/null || fail "the pop-up menu's settings item did not open the dialog"
from_menu=$(ddrive selected 1000 check 1013 | paste -sd'|')
note "from the menu: $from_menu"
[[ $from_menu == '1000 2|1013 checked enabled' ]] || fail "the dialog from the menu shows '$from_menu'"
screenshot_at settings-from-menu "$(ddrive rect)"
ddrive click 2 wait-gone 20 >/dev/null || fail "the dialog from the menu did not close on cancel"

close_radixpad
[[ $(ini_value Back) == 2 && $(ini_value TrayDelay) == -5 ]] || fail "the settings were lost at exit"
echo "settings_dialog: PASS"
