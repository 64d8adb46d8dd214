#!/usr/bin/env bash
# The real program against vk785n-sim on a pseudo-terminal: it must read the
# parameters on its first tick, then query the status once a tick, write its
# settings when asked to end, and exit with code 0.
# Usage: end_to_end.sh TERMVK785N VK785N-SIM
set -euo pipefail
terminal="$1" simulator="$2"
work="$(mktemp -d)"
sim_pid="" term_pid=""
cleanup() {
  [[ -n "$term_pid" ]] && kill "$term_pid" 2>/dev/null || true
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "--- simulator log"; cat "$work/sim.log"; echo "--- terminal output"; cat "$work/term.log"; exit 1; }

# Waits up to $2 seconds for the command $1 to succeed.
wait_for() {
  local deadline=$((SECONDS + $2))
  until eval "$1"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

"$simulator" --status 1 --param 0=4096 >"$work/sim.out" 2>"$work/sim.log" &
sim_pid=$!
wait_for '[[ -s "$work/sim.out" ]]' 10 || fail "simulator printed no device path"
device="$(head -n 1 "$work/sim.out")"

export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
"$terminal" --device "COM1=$device" >"$work/term.log" 2>&1 &
term_pid=$!

status_queries() { grep -c ' rx 31$' "$work/sim.log" || true; }
wait_for '(( $(status_queries) >= 3 ))' 30 || fail "fewer than 3 status queries within 30 s"

kill -TERM "$term_pid"
code=0
wait "$term_pid" || code=$?
term_pid=""
[[ $code -eq 0 ]] || fail "terminal exited with $code"

received="$(sed -n 's/.* rx \(.*\)$/\1/p' "$work/sim.log")"
expected_reads="00 01 02 03 04 05 06 07 08 09 10 11 22 23 24 25"
first_reads="$(echo "$received" | head -n 16 | tr '\n' ' ' | sed 's/ $//')"
[[ "$first_reads" == "$expected_reads" ]] || fail "first commands were '$first_reads'"
others="$(echo "$received" | tail -n +17 | sort -u | tr '\n' ' ' | sed 's/ $//')"
[[ "$others" == "31" ]] || fail "after the reads only status queries were expected, got '$others'"

ini="$XDG_CONFIG_HOME/vk785n/DudAved.ini"
grep -qx 'PortID=1' "$ini" && grep -qx 'BaudRate=0' "$ini" || fail "DudAved.ini: $(cat "$ini" 2>/dev/null)"
grep -qi '^\[HKEY_CURRENT_USER\\viv.ini\]' "$XDG_CONFIG_HOME/vk785n/registry.reg" || fail "store key not created"

echo "end-to-end: $(status_queries) status queries after the 16 reads; exit code 0"
