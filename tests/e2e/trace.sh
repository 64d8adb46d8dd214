#!/usr/bin/env bash
# The window's --trace where it cannot be written: a FIFO nobody reads, a FIFO
# whose reader goes away, a full disk (/dev/full). Each time the window must run
# its exchange as usual, end on SIGTERM with status 0 and its settings written,
# and say on stderr why the trace failed. A FIFO with a reader gets every line.
# Usage: trace.sh TERMVK785N
set -euo pipefail
terminal="$1"
work="$(mktemp -d)"
term_pid="" reader_pid=""
cleanup() {
  # A window stuck in its trace's open() does not answer SIGTERM.
  [[ -n "$term_pid" ]] && kill -KILL "$term_pid" 2>/dev/null || true
  [[ -n "$reader_pid" ]] && kill "$reader_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
# The reasons said on stderr in the words checked below.
export LC_ALL=C.UTF-8

. "$(dirname "$0")/wait_for.sh"

fail() { echo "FAIL ($scenario): $*"; echo "--- stderr"; cat "$work/$scenario.log" 2>/dev/null; exit 1; }

# Starts a reader of the FIFO $1 into $2 with the command given and waits until
# it waits in open() for a writer, so the window finds it there.
start_reader() {
  local fifo="$1" into="$2"; shift 2
  "$@" <"$fifo" >"$into" &
  reader_pid=$!
  wait_for '[[ "$(cat /proc/$reader_pid/wchan 2>/dev/null)" == wait_for_partner ]]' 10 ||
    fail "the reader did not open the FIFO"
}

# Runs the window against its own simulator with --trace $1 until the driver
# has answered three status queries, then ends it with SIGTERM; it must end
# with status 0 and write its settings.
run_window() {
  export XDG_CONFIG_HOME="$work/$scenario"
  "$terminal" --simulate --trace "$1" -- --verbose >/dev/null 2>"$work/$scenario.log" &
  term_pid=$!
  status_queries() { grep -c ' rx 31$' "$work/$scenario.log" || true; }
  wait_for '(( $(status_queries) >= 3 )) || ! kill -0 "$term_pid" 2>/dev/null' 30 ||
    fail "fewer than 3 status queries within 30 s"
  kill -TERM "$term_pid" 2>/dev/null || true
  wait_for '! kill -0 "$term_pid" 2>/dev/null' 15 || fail "still running 15 s after SIGTERM"
  local code=0
  wait "$term_pid" || code=$?
  term_pid=""
  [[ $code -eq 0 ]] || fail "ended with status $code"
  local ini="$XDG_CONFIG_HOME/vk785n/DudAved.ini"
  grep -qx 'PortID=1' "$ini" 2>/dev/null || fail "settings not written: $(cat "$ini" 2>/dev/null)"
}

# $1 must be said on stderr.
said() { grep -qF -- "$1" "$work/$scenario.log" || fail "stderr does not say '$1'"; }

scenario=fifo-with-reader
mkfifo "$work/read.fifo"
start_reader "$work/read.fifo" "$work/read.trace" cat
run_window "$work/read.fifo"
wait "$reader_pid" || true
reader_pid=""
grep -q ' tx 31\\r  *33 31 0D$' "$work/read.trace" || fail "no status query in the trace: $(head -n 3 "$work/read.trace")"
grep -q ' rx ' "$work/read.trace" || fail "no reply in the trace"
! grep -q 'cannot write the trace' "$work/$scenario.log" || fail "a trace failure was reported"
echo "$scenario: $(wc -l <"$work/read.trace") lines traced"

scenario=fifo-without-reader
mkfifo "$work/unread.fifo"
run_window "$work/unread.fifo"
said "termvk785n: cannot write the trace $work/unread.fifo: no program reads that FIFO"
echo "$scenario: the window ran without its trace and said why"

# The reader takes one line and goes; the next write would raise SIGPIPE.
scenario=fifo-reader-gone
mkfifo "$work/gone.fifo"
start_reader "$work/gone.fifo" /dev/null head -n 1
run_window "$work/gone.fifo"
said "termvk785n: cannot write the trace $work/gone.fifo: Broken pipe"
echo "$scenario: the window outlived its trace's reader and said so"

scenario=full-disk
run_window /dev/full
said "termvk785n: cannot write the trace /dev/full: No space left on device"
echo "$scenario: the window said its trace could not be written"
