#!/usr/bin/env bash
# The release package under Wine: packed from this build by tools/package and unpacked
# into a fresh folder, its manuals' links and images all resolve; in a fresh prefix,
# setup run from the package makes the Startup shortcut, and starting that shortcut's
# target with its arguments ("-icon") starts RadixPad hidden.
#
#   release.sh BUILD_DIR SOURCE_DIR DRIVER_EXE DIALOG_DRIVER_EXE
set -euo pipefail
build=$1 src=$2 driver=$3 dialog_driver=$4
fresh="$build/e2e/release"
fail() { echo "release: FAIL: $*" >&2; exit 1; }
note() { echo "release: $*"; }
# A command that ends the script through `set -e` says which one it was.
trap 'echo "release: FAIL: line $LINENO ended the test: $BASH_COMMAND" >&2' ERR

rm -rf "$fresh"
mkdir -p "$fresh"
"$src/tools/package" "$build" "$fresh/RadixPad.zip"
python3 -m zipfile -e "$fresh/RadixPad.zip" "$fresh/unpacked"
folder="$fresh/unpacked/RadixPad-4.0.2"
for file in RadixPad.exe setup.exe radixpad-send.exe radixcalc.exe MESSAGE.INI skin.png icon.png \
  MAN/GUIDE/index.html MAN/DEV/index.html; do
  [[ -s $folder/$file ]] || fail "the package lacks $file"
done
note "package $(python3 -m zipfile -l "$fresh/RadixPad.zip" | tail -n +2 | wc -l) files"
python3 "$src/tools/manuals" check "$folder/MAN" || fail "the packed manuals have broken links"

# A prefix of its own: nothing from the other tests' runs is there.
# shellcheck source=../../tools/wine-env
source "$src/tools/wine-env" "$fresh" --transient
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  "$src/tools/wine-env" "$fresh" --stop
}
trap cleanup EXIT
ddrive() { timeout 60 wine "$dialog_driver" dialog "RadixPad セットアップ" "$@" </dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
drive() { timeout 60 wine "$driver" "$@" </dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
windows_path() { wine winepath.exe -w "$1" 2>/dev/null | tr -d '\r'; }

# The profile folder, asked for once more if a freshly made prefix does not answer at once.
user_profile() {
  local windows
  windows=$(wine cmd.exe /c echo %USERPROFILE% 2>/dev/null | tr -d '\r') || return 1
  [[ $windows == ?:\\* ]] || return 1
  wine winepath.exe -u "$windows" 2>/dev/null | tr -d '\r'
}
profile=$(user_profile) || profile=$(sleep 1 && user_profile) || fail "cannot find the user profile folder"
[[ -n $profile && -d $profile ]] || fail "the user profile folder '$profile' does not exist"
startup="$profile/スタート メニュー/プログラム/スタートアップ"
mkdir -p "$startup" "$profile/スタート メニュー/プログラム/アクセサリ"

wine "$folder/setup.exe" </dev/null >/dev/null 2>&1 &
setup_pid=$!
pids+=("$setup_pid")
ddrive wait-dialog 60 >/dev/null || fail "setup's dialog did not appear"
ddrive click 1 wait-gone 20 >/dev/null || fail "setup did not finish"
wait "$setup_pid" || fail "setup did not end cleanly"

link=$(ddrive link "$(windows_path "$startup/RadixPad.lnk")" | paste -sd'|') || fail "no Startup shortcut"
note "startup link $link"
target=$(sed -n 's/^target \(.*\)|arguments.*/\1/p' <<<"$link")
arguments=$(sed -n 's/.*|arguments \(.*\)|description.*/\1/p' <<<"$link")
[[ ${target,,} == "$(windows_path "$folder/RadixPad.exe" | tr '[:upper:]' '[:lower:]')" ]] ||
  fail "the Startup shortcut points at $target"
[[ $arguments == -icon ]] || fail "the Startup shortcut's arguments are '$arguments'"

# Start what the shortcut starts: RadixPad comes up hidden.
wine "$target" "$arguments" </dev/null >/dev/null 2>&1 &
radixpad_pid=$!
pids+=("$radixpad_pid")
drive wait-exists 30 >/dev/null || fail "RadixPad did not start from the Startup shortcut"
sleep 1
state=$(drive state) || fail "cannot read RadixPad's window"
note "started by the shortcut: $state"
[[ $state == "visible 0 "* ]] || fail "RadixPad started with -icon should stay hidden"
drive close >/dev/null || fail "cannot close RadixPad"
for _ in $(seq 100); do kill -0 "$radixpad_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$radixpad_pid" 2>/dev/null && fail "RadixPad did not end"
echo "release: PASS"
