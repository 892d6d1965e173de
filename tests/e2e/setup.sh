#!/usr/bin/env bash
# setup.exe under Wine: it closes a running RadixPad after telling the user, its options
# start as they should (the quick launch option disabled while its folder cannot be
# written, also after toggling uninstall twice), it makes the shortcuts whose targets
# exist, and uninstall removes them and keeps or deletes the settings file as answered.
#
#   setup.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR SETUP_EXE DIALOG_DRIVER_EXE
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" setup "$1" "$2" "$3" "$4"
setup_exe=$5 dialog_driver=$6

cp "$setup_exe" "$work/setup.exe"
# Only the user guide is installed: its link is made, the developer guide's is not.
mkdir -p "$work/MAN/GUIDE"
echo '<html></html>' >"$work/MAN/GUIDE/index.html"

sdrive() { timeout 60 wine "$dialog_driver" dialog "RadixPad セットアップ" "$@" </dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
unix_path() { wine winepath.exe -u "$1" 2>/dev/null | tr -d '\r'; }

profile=$(unix_path "$(wine cmd.exe /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')")
[[ -n $profile && -d $profile ]] || fail "cannot find the user profile folder ($profile)"
programs="$profile/スタート メニュー/プログラム"
quick_launch="$profile/Application Data/Microsoft/Internet Explorer/Quick Launch"
rm -rf "$profile/スタート メニュー" "$quick_launch"
mkdir -p "$programs/アクセサリ" "$programs/スタートアップ"

setup_pids=()
start_setup() {
  wine "$work/setup.exe" </dev/null >/dev/null 2>&1 &
  setup_pid=$!
  setup_pids+=("$setup_pid")
}
trap 'cleanup; for p in "${setup_pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

options() { sdrive check 1006 check 1017 check 1018 check 1000 check 1001 text 1 | paste -sd'|'; }
expect_options() {
  local got
  got=$(options)
  [[ $got == "$1" ]] || fail "$2: expected '$1', got '$got'"
  note "options $got"
}
# 1. RadixPad runs: setup tells the user, closes it (RadixPad saves its settings), and
# only then shows its dialog.
rm -f "$ini"
start_shown
start_setup
message=$(sdrive wait-message 30) || fail "setup did not tell that RadixPad runs"
note "$message"
[[ $message == $'message RadixPadが起動中です。\nmessage セットアップは、RadixPadを安全に終了させます。' ]] ||
  fail "wrong notice: $message"
sdrive wait-dialog 0 >/dev/null 2>&1 && fail "the dialog appeared before RadixPad was closed"
sdrive answer 1 >/dev/null || fail "cannot confirm the notice"
wait_exit "$pid" 20 || fail "RadixPad did not end after setup's WM_CLOSE"
sdrive wait-dialog 30 >/dev/null || fail "the setup dialog did not appear"
drive wait-gone 0 >/dev/null || fail "RadixPad's window is still there"
[[ -f $ini ]] || fail "RadixPad did not save its settings when setup closed it"

# 2. No quick launch folder: that option is unchecked and disabled, and stays so.
installing='1006 checked enabled|1017 unchecked disabled|1018 checked enabled|1000 checked enabled|1001 unchecked enabled|1 設定'
expect_options "$installing" "initial options"
screenshot_at setup "$(sdrive rect)"
sdrive click 1001 >/dev/null && sleep 0.5
expect_options '1006 checked disabled|1017 unchecked disabled|1018 checked disabled|1000 checked disabled|1001 checked enabled|1 アンインストール' "uninstall checked"
screenshot_at setup-uninstall "$(sdrive rect)"
sdrive click 1001 >/dev/null && sleep 0.5
expect_options "$installing" "uninstall unchecked again"

# 3. Set up: the shortcuts whose targets exist are made.
sdrive click 1 >/dev/null || fail "cannot press OK"
sdrive wait-gone 20 >/dev/null || fail "the dialog did not close"
wait_exit "$setup_pid" 20 || fail "setup did not end cleanly"
for link in "$programs/アクセサリ/RadixPad.lnk" "$programs/スタートアップ/RadixPad.lnk" "$work/RadixPad説明書.lnk"; do
  [[ -s $link ]] || fail "missing shortcut $link"
  note "made $link"
done
[[ ! -e $work/開発者向け仕様書.lnk ]] || fail "a shortcut to the missing developer guide was made"
# Each shortcut read back: target, arguments, description (Windows paths of the prefix).
folder=$(wine winepath.exe -w "$work" 2>/dev/null | tr -d '\r')
description='8/16/32 ビット整数を 2/8/10/16 進数に変換します。'
expect_link() {
  local got
  got=$(sdrive link "$(wine winepath.exe -w "$1" 2>/dev/null | tr -d '\r')" | paste -sd'|') ||
    fail "cannot read the shortcut $1"
  [[ ${got,,} == "${2,,}" ]] || fail "shortcut $1: expected '$2', got '$got'"
  note "link $got"
}
expect_link "$programs/アクセサリ/RadixPad.lnk" "target $folder\\RadixPad.exe|arguments |description $description"
expect_link "$programs/スタートアップ/RadixPad.lnk" "target $folder\\RadixPad.exe|arguments -icon|description $description"
expect_link "$work/RadixPad説明書.lnk" "target $folder\\MAN\\GUIDE\\index.html|arguments |description "

# 4. Uninstall twice: answering Yes keeps the settings file, No deletes it.
mkdir -p "$quick_launch"
for answer in 6 7; do
  printf '[RadixPad]\r\nLeft=10\r\n' >"$ini"
  start_setup
  sdrive wait-dialog 30 >/dev/null || fail "the setup dialog did not appear"
  [[ $(options) == *'|1017 checked enabled|'* ]] || fail "the quick launch folder exists now: its option should be on"
  sdrive click 1001 >/dev/null && sleep 0.5
  sdrive click 1 >/dev/null || fail "cannot press uninstall"
  question=$(sdrive wait-message 20) || fail "uninstall did not ask about the settings file"
  [[ $question == 'message 設定ファイルを残しておきますか？' ]] || fail "wrong question: $question"
  sdrive answer "$answer" >/dev/null || fail "cannot answer"
  wait_exit "$setup_pid" 20 || fail "setup did not end cleanly"
  for link in "$programs/アクセサリ/RadixPad.lnk" "$programs/スタートアップ/RadixPad.lnk" "$work/RadixPad説明書.lnk"; do
    [[ ! -e $link ]] || fail "uninstall left $link"
  done
  if [[ $answer == 6 ]]; then
    [[ -f $ini ]] || fail "answering Yes deleted the settings file"
    note "uninstall, Yes: settings file kept"
  else
    [[ ! -e $ini ]] || fail "answering No kept the settings file"
    note "uninstall, No: settings file deleted"
  fi
done
echo "setup: PASS"
