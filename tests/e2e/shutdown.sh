#!/usr/bin/env bash
# How the real program ends, on a real X display (run by on_own_display.sh): a
# signal while an error box is open, the close box or a signal after the
# driver vanished, and no session bus daemon left behind.
# Usage: shutdown.sh TERMVK785N VK785N-SIM X11-WINDOW
set -euo pipefail
terminal="$1" simulator="$2" window="$3"
work="$(mktemp -d)"
sim_pid="" term_pid=""
cleanup() {
  [[ -n "$term_pid" ]] && kill -KILL "$term_pid" 2>/dev/null || true
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
main_window="TERM For VK785N" error_box="TERMVK785N"
buses_before=$(pgrep -c dbus-launch || true)

fail() { echo "FAIL ($scenario): $*"; cat "$work/$scenario.log" 2>/dev/null; exit 1; }

. "$(dirname "$0")/wait_for.sh"

# Starts the program for $scenario with the arguments given, its settings
# folder prepared by the caller.
start() {
  export XDG_CONFIG_HOME="$work/$scenario"
  mkdir -p "$XDG_CONFIG_HOME/vk785n"
  "$terminal" "$@" >/dev/null 2>"$work/$scenario.log" &
  term_pid=$!
}

# Waits for the program to end within $1 seconds; its exit status in $code.
ended_within() {
  local limit="$1" started=$SECONDS
  wait_for '! kill -0 "$term_pid" 2>/dev/null' "$limit" || fail "still running after $limit s"
  code=0
  wait "$term_pid" || code=$?
  term_pid=""
  echo "$scenario: ended after $((SECONDS - started)) s with status $code"
}

settings() { cat "$XDG_CONFIG_HOME/vk785n/DudAved.ini" 2>/dev/null; }

# The close box with a settings file that cannot be written shows the error
# box; a signal then must end the run as a signal alone does.
scenario=close-box-then-signal
mkdir -p "$work/$scenario/vk785n"
printf '[PortSetting]\n' >"$work/$scenario/vk785n/DudAved.ini"
chmod 444 "$work/$scenario/vk785n/DudAved.ini"
start --simulate -- --verbose
wait_for 'grep -qs " rx 31$" "$work/$scenario.log"' 30 || fail "no status query"
"$window" close "$main_window"
wait_for '"$window" find "$error_box"' 10 || fail "no error box after the close box"
kill -TERM "$term_pid"
ended_within 15
[[ $code -eq 1 ]] || fail "status was not 1"
grep -q 'DudAved.ini に書き込めません' "$work/$scenario.log" || fail "no message on stderr"

# A stored port number of a type that cannot be read shows the error box at
# start-up; a signal then ends the run through the close.
scenario=start-up-box-then-signal
mkdir -p "$work/$scenario/vk785n"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n"PortID"=hex(3):03,00,00,00\n' \
  >"$work/$scenario/vk785n/registry.reg"
start --simulate
wait_for '"$window" find "$error_box"' 30 || fail "no start-up error box"
kill -TERM "$term_pid"
ended_within 15
[[ $code -eq 0 ]] || fail "status was not 0"
settings | grep -qx 'PortID=0' || fail "settings not written: $(settings)"

# The driver vanishes; the run must end within the one exchange under way,
# with no tick after the close.
for scenario in signal-after-driver-vanished close-box-after-driver-vanished; do
  "$simulator" >"$work/$scenario.sim" 2>/dev/null &
  sim_pid=$!
  wait_for '[[ -s "$work/$scenario.sim" ]]' 10 || fail "simulator printed no device path"
  start --device "COM1=$(head -n 1 "$work/$scenario.sim")"
  wait_for '"$window" find "$main_window"' 30 || fail "no window"
  sleep 2
  kill -KILL "$sim_pid"
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
  # Inside the first status query that gets no answer.
  sleep 2
  if [[ $scenario == signal-* ]]; then kill -TERM "$term_pid"; else "$window" close "$main_window"; fi
  ended_within 13
  [[ $code -eq 0 ]] || fail "status was not 0"
  settings | grep -qx 'PortID=1' || fail "settings not written: $(settings)"
done

scenario=session-bus
buses_after=$(pgrep -c dbus-launch || true)
[[ $buses_after -eq $buses_before ]] || fail "a session bus daemon was left running"
echo "$scenario: none left behind"
