#!/usr/bin/env bash
# The command API end to end: every code of the command table through radixpad-send,
# the queries through the registered message, malformed WM_COPYDATA envelopes, a load
# of 10,000 requests in a row (handle count and memory of RadixPad before and after,
# then a typed key still converts), and the message log in debug mode.
#
#   command_api.sh RADIXPAD_EXE DRIVER_EXE BUILD_DIR SOURCE_DIR CLIENT_EXE
client_exe=$5
source "$(dirname "$0")/lib.sh" command_api "$@"
cp "$client_exe" "$work/radixpad-send.exe"

# Runs the client; sets $out (its output, CR removed, in UTF-8) and $status.
run_client() {
  status=0
  out=$(
    timeout 60 wine "$work/radixpad-send.exe" "$@" </dev/null 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'
    exit "${PIPESTATUS[0]}"
  ) || status=$?
}
# expect STATUS OUTPUT CLIENT-ARGS...: the client's exit status and its output lines
# (given joined by "|").
expect() {
  local want_status=$1 want=$2
  shift 2
  run_client "$@"
  local got
  got=$(printf '%s' "$out" | paste -sd'|')
  [[ $status == "$want_status" && $got == "$want" ]] ||
    fail "radixpad-send $*: expected $want_status '$want', got $status '$got'"
  note "radixpad-send $* -> $status '$got'"
}

rm -f "$ini"
expect 2 "" 311  # nothing to talk to yet

start_shown
# Registered message: the queries answer, the other codes fall to the default (0).
expect 0 2 -m 321
expect 0 0 -m 311
expect 0 0 -m 312
expect 0 1 -m 313
expect 0 0 -m 314
expect 0 0 -m 201
expect 0 0 -m 999

# Every row of the table over WM_COPYDATA, in a session whose state carries on.
expect 0 0 311
expect 0 0 312
expect 0 1 313
expect 0 0 314 ignored
expect 0 2 321
expect 0 "1100|14|12|C" 403 12
expect_fields "1100|14|12|C" "after 403 12"
expect 0 -1 201 2
expect 0 1 201 1
expect 0 1 311
expect 0 1 -m 314
expect 0 0 201 0
expect 0 1 211 1
expect 0 1 212 1
expect 0 0 213 0
expect 0 0 214 0
for q in "311 1" "312 1" "313 0" "314 0"; do
  read -r code want <<<"$q"
  expect 0 "$want" "$code"
done
expect 0 0 221 0
expect 0 0 321
expect 0 -1 221 3
expect 0 1 221 1
expect 0 1 -m 321
expect 0 "1111|17|15|F" 401 1111
expect 0 '\-10|\-2|65534|FFFE' 402 -2
expect 0 "11111111|377|255|FF" 404 FF
# 8 bit, DEC signed, the others unsigned: 100+100 overflows; the reply ends with the warning's sentence.
overflow=$(tr -d '\r' <"$work/MESSAGE.INI" | iconv -f CP932 -t UTF-8 | sed -n 's/^W_OVERFLOW=//p')
overflow=${overflow//\$string2/}
expect 0 0 221 0
expect 0 0 201 0
expect 0 1 213 1
expect 0 "11001000|310|\\-56|C8|$overflow" 403 100+100
expect_fields '11001000|310|\-56|C8' "after 403 100+100"
# Failures: an unknown code, a missing argument, a text longer than a field holds.
expect 1 "" 999
expect 1 "" 201
expect 1 "" 403
expect 0 2 221 2
long=$(printf '1%.0s' $(seq 255))
run_client 402 "$long"
[[ $status == 0 ]] || fail "a text of 255 characters was refused ($status)"
run_client 402 "${long}1"
[[ $status == 1 && -z $out ]] || fail "a text of 256 characters: $status '$out'"
note "402 with 255 characters: 200 OK; with 256: 400 Bad Request"

# Malformed envelopes built by hand: answered 400, RadixPad carries on.
expect 0 0 201 0
for k in "null-data 403 400 Bad Request\r\n\r\n" "too-big 403 400 Bad Request\r\n\r\n" \
  "unterminated 403 200 OK\r\n111\r\n7\r\n7\r\n7\r\n\r\n" "no-struct" "self-reply"; do
  kind=${k%% *}
  got=$(drive copydata "$kind") || fail "copydata $kind"
  note "copydata $kind: $got"
  if [[ $kind == self-reply ]]; then
    # RadixPad's own window as the requester: the reply is dropped rather than
    # answered by RadixPad itself as a new request, and so on without end.
    [[ $got == "no reply" ]] || fail "copydata self-reply: $got"
    expect_fields "111|7|7|7" "a request that asks RadixPad to answer itself"
  elif [[ $kind == no-struct ]]; then
    # Wine does not deliver a WM_COPYDATA without its structure to another process;
    # when it does, the answer must be 400.
    [[ $got == "no reply" || $got == "reply 0 400 Bad Request\r\n\r\n" ]] || fail "copydata no-struct: $got"
  else
    [[ $got == "reply ${k#* }" ]] || fail "copydata $kind: expected 'reply ${k#* }', got '$got'"
  fi
done
expect 0 2 321

# Load: 10,000 requests in a row, every answer checked; handles and memory stay flat.
drive command-load 1000 >/dev/null || fail "the warm-up load failed"
before=$(drive process-stats) || fail "cannot read RadixPad's process figures"
rss_before=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)
# Longer than drive's minute: the load takes tens of seconds under Wine.
loaded=$(timeout 400 wine "$driver" command-load 10000 </dev/null | tr -d '\r') || fail "the load failed"
after=$(drive process-stats) || fail "cannot read RadixPad's process figures"
rss_after=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)
note "resident set of the Wine process: before ${rss_before:-?}, after ${rss_after:-?}"
note "$loaded"
note "before: $before"
note "after:  $after"
read -r _ handles_before _ gdi_before _ user_before _ _ _ private_before <<<"$before"
read -r _ handles_after _ gdi_after _ user_after _ _ _ private_after <<<"$after"
((handles_after <= handles_before + 5)) || fail "handles grew from $handles_before to $handles_after"
((gdi_after <= gdi_before + 5 && user_after <= user_before + 5)) || fail "GDI or USER objects grew"
((private_after <= private_before + 2048)) || fail "private memory grew from $private_before to $private_after KiB"

# Still responsive: a typed key converts.
clear_field 1168
type_keys "5"
expect_fields "101|5|5|5" "typing after the load"
close_radixpad
expect 2 "" 321  # gone again

# Debug mode: each message is logged with its stamp, a request with its raw text.
printf '[ENVIRONMENT]\r\nDebug=1\r\n' >"$ini"
start_shown
expect 0 2 -m 321
expect 0 "1100|14|12|C" 403 12
close_radixpad
log="$work/LOG/message.log"
[[ -f $log ]] || fail "no message log"
note "message.log: $(od -c "$log" | head -n 12 | tr -s ' ')"
stamp='\[[A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\] '
pattern="^${stamp}WM_RADIXPADCOMMANDAPI wParam=321 lParam=0"$'\r\n'"${stamp}WM_COPYDATA wParam=-?[0-9]+ dwData=403 lpData="$'\r\n'"12"$'\r\n''$'
log_text=$(cat "$log"; echo .)  # keeps the final line end
[[ ${log_text%.} =~ $pattern ]] || fail "the message log does not read as expected"
rm -f "$ini"

note PASS
