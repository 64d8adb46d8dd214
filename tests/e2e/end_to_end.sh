#!/usr/bin/env bash
# The real program against vk785n-sim on a pseudo-terminal, twice: once with
# the simulator started here and named by --device, once started by the
# program itself (--simulate). Each time the program must read the parameters
# on its first tick, then query the status once a tick, write its settings
# when SIGTERM asks it to end, exit with code 0 and leave no simulator behind.
# Where the settings cannot be written, SIGTERM still ends it, with code 1.
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
export QT_QPA_PLATFORM=offscreen

. "$(dirname "$0")/wait_for.sh"

# Runs the program with the arguments given until the log $1 holds three
# status queries, then ends it with SIGTERM and checks what the driver saw.
run_and_check() {
  local log="$1" scenario="$2"; shift 2
  fail() { echo "FAIL ($scenario): $*"; echo "--- log"; cat "$log"; exit 1; }
  export XDG_CONFIG_HOME="$work/$scenario"
  "$terminal" "$@" >"$work/$scenario.out" 2>>"$log" &
  term_pid=$!
  status_queries() { grep -c ' rx 31$' "$log" || true; }
  wait_for '(( $(status_queries) >= 3 ))' 30 || fail "fewer than 3 status queries within 30 s"

  kill -TERM "$term_pid"
  local code=0
  wait "$term_pid" || code=$?
  term_pid=""
  [[ $code -eq 0 ]] || fail "terminal exited with $code"

  local received first_reads others
  received="$(sed -n 's/.* rx \(.*\)$/\1/p' "$log")"
  first_reads="$(echo "$received" | head -n 16 | tr '\n' ' ' | sed 's/ $//')"
  [[ "$first_reads" == "00 01 02 03 04 05 06 07 08 09 10 11 22 23 24 25" ]] || fail "first commands were '$first_reads'"
  others="$(echo "$received" | tail -n +17 | sort -u | tr '\n' ' ' | sed 's/ $//')"
  [[ "$others" == "31" ]] || fail "after the reads only status queries were expected, got '$others'"

  local ini="$XDG_CONFIG_HOME/vk785n/DudAved.ini"
  grep -qx 'PortID=1' "$ini" && grep -qx 'BaudRate=0' "$ini" || fail "DudAved.ini: $(cat "$ini" 2>/dev/null)"
  grep -qi '^\[HKEY_CURRENT_USER\\viv.ini\]' "$XDG_CONFIG_HOME/vk785n/registry.reg" || fail "store key not created"
  echo "$scenario: $(status_queries) status queries after the 16 reads; exit code 0"
}

"$simulator" --status 1 --param 0=4096 --verbose >"$work/sim.out" 2>"$work/device.log" &
sim_pid=$!
wait_for '[[ -s "$work/sim.out" ]]' 10 || { echo "FAIL: simulator printed no device path"; exit 1; }
run_and_check "$work/device.log" device --device "COM1=$(head -n 1 "$work/sim.out")"
kill "$sim_pid"
sim_pid=""

# A port named in the port map, as 'vk785n ports --assign' writes it.
"$simulator" --verbose >"$work/portmap.out" 2>"$work/portmap.log" &
sim_pid=$!
wait_for '[[ -s "$work/portmap.out" ]]' 10 || { echo "FAIL: simulator printed no device path"; exit 1; }
mkdir -p "$work/portmap/vk785n"
printf '[Ports]\nCOM1=%s\n' "$(head -n 1 "$work/portmap.out")" >"$work/portmap/vk785n/ports.conf"
run_and_check "$work/portmap.log" portmap
kill "$sim_pid"
sim_pid=""

# The program's own simulator logs to the program's stderr and ends with it.
# A value of its own tells this simulator from those of tests running beside it.
run_and_check "$work/simulate.log" simulate --simulate -- --status 1 --param "25=$$" --verbose
if pgrep -f "^$simulator --status 1 --param 25=$$ --verbose\$" >/dev/null; then
  echo "FAIL (simulate): the simulator outlived the program"
  exit 1
fi

# Settings that cannot be written: no error box can be answered, so the
# program says why on stderr and ends with a failure status.
export XDG_CONFIG_HOME="$work/readonly"
mkdir -p "$XDG_CONFIG_HOME/vk785n"
printf '[PortSetting]\n' >"$XDG_CONFIG_HOME/vk785n/DudAved.ini"
chmod 444 "$XDG_CONFIG_HOME/vk785n/DudAved.ini"
"$terminal" --simulate -- --verbose 2>"$work/readonly.log" &
term_pid=$!
wait_for 'grep -qs " rx 31$" "$work/readonly.log"' 30 || { echo "FAIL (readonly): no status query"; exit 1; }
kill -TERM "$term_pid"
code=0
wait "$term_pid" || code=$?
term_pid=""
[[ $code -eq 1 ]] || { echo "FAIL (readonly): exit code $code"; cat "$work/readonly.log"; exit 1; }
grep -q 'DudAved.ini に書き込めません' "$work/readonly.log" || { echo "FAIL (readonly): no message"; exit 1; }
echo "readonly: SIGTERM ended the program with code 1 and said why"
