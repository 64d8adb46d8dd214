#!/usr/bin/env bash
# vk785n as a script would use it, against simulated drives: a backup, an edit
# and a diff, restores stopped by each fault with their exit statuses and
# messages, a refused file that sends nothing, and two drives at once.
# Usage: vk785n_program.sh VK785N VK785N-SIM
set -euo pipefail
vk785n="$(realpath "$1")" simulator="$(realpath "$2")"
work="$(mktemp -d)"
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config"

fail() { echo "FAIL ($case): $*"; echo "--- stdout"; cat "$work/out"; echo "--- stderr"; cat "$work/err"; exit 1; }

# Starts a simulator with the options given; its line's path in $line, its
# log of every command and answer in $work/$1.log.
start_sim() {
  local name="$1"; shift
  "$simulator" --verbose "$@" >"$work/$name.path" 2>"$work/$name.log" &
  sims+=($!)
  local waited=0
  until [[ -s "$work/$name.path" ]]; do
    ((waited++ < 50)) || { echo "FAIL: simulator $name gave no path"; exit 1; }
    sleep 0.1
  done
  line="$(head -n 1 "$work/$name.path")"
}

# Runs vk785n with the arguments given; checks its exit status ($1) and that
# stdout or stderr holds the text $2.
expect() {
  local status="$1" text="$2"; shift 2
  local code=0
  "$vk785n" "$@" >"$work/out" 2>"$work/err" || code=$?
  [[ $code -eq $status ]] || fail "exit status $code, expected $status"
  grep -qF -- "$text" "$work/out" "$work/err" || fail "no '$text'"
  echo "$case: status $code"
}

case=backup
start_sim good --status 8001 --param 6=15
expect 0 "16 numbers written to $work/drive.txt" --device "$line" backup "$work/drive.txt"
grep -q '^06 = 15 ' "$work/drive.txt" || fail "06 not in the file"
grep -q '^# status: 8001 (servo on, alarm (bits 8000))' "$work/drive.txt" || fail "no status in the header"

case=diff-after-an-edit
sed -i 's/^06 = 15 /06 = 20 /' "$work/drive.txt"
expect 1 "06  file 20  drive 15" --device "$line" diff "$work/drive.txt"

case=save-refused-with-servo-on
expect 6 "the servo is on" --device "$line" restore "$work/drive.txt" --save

case=json-status
expect 0 '"servoOn":true' --device "$line" --json status
python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$work/out" || fail "not JSON"

case=refused-file-sends-nothing
printf '06 = 20\n04 = 0G3\n' >"$work/bad.txt"
: >"$work/good.log"
expect 2 "$work/bad.txt:2: number 4: '0G3'" --device "$line" restore "$work/bad.txt"
! grep -q ' rx ' "$work/good.log" || fail "something was sent"

case=wrong-acknowledgement
start_sim ack --ack x --ack-from 6
expect 4 "number 06 was acknowledged with 'x' instead of '.'; written before it: 00 01 02 03 04 05" \
  --device "$line" restore "$work/drive.txt"

case=silent-drive
start_sim silent --silent
expect 4 "number 00 was not acknowledged in time and may have been written; nothing was written" \
  --device "$line" restore "$work/drive.txt"

case=read-back-mismatch
start_sim wrong --store-wrong 9
expect 5 "09  written 100, read back 101" --device "$line" restore "$work/drive.txt"

case=port-not-opened
expect 3 "/dev/vk785n-none: no such device" --device /dev/vk785n-none status

case=two-drives-at-once
start_sim first
first="$line"
start_sim second
expect 0 "2 drives: 2 done" --device "$first" --device "$line" restore "$work/drive.txt" --save
[[ $(grep -c 'each read back as written; 24 25 not written (the drive.s own); saved' "$work/out") -eq 2 ]] ||
  fail "not one line per drive"

case=port-map-and-device-over-it
start_sim mapped --status 1
mkdir -p "$XDG_CONFIG_HOME/vk785n"
expect 0 "COM2 = $line" ports --assign "COM2=$line"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n"PortID"=dword:00000002\n' >"$XDG_CONFIG_HOME/vk785n/registry.reg"
expect 0 "COM2 ($line): status 1: servo on" status
expect 3 "/dev/vk785n-none: no such device" --device COM2=/dev/vk785n-none status

case=trace-matches-the-simulator-log
start_sim traced
expect 0 "16 numbers written" --device "$line" --trace "$work/t.trace" backup "$work/traced.txt"
sent_by_us="$(awk '$3 == "tx" { sub(/\\r$/, "", $4); print $4 }' "$work/t.trace")"
seen_by_sim="$(sed -n 's/.* rx \(.*\)$/\1/p' "$work/traced.log")"
[[ "$sent_by_us" == "$seen_by_sim" ]] || fail "commands differ: trace '$sent_by_us', simulator '$seen_by_sim'"
received="$(awk '$3 == "rx" { print $4 }' "$work/t.trace")"
answered="$(sed -n 's/.* tx \(.*\)$/\1/p' "$work/traced.log")"
[[ "$received" == "$answered" ]] || fail "replies differ: trace '$received', simulator '$answered'"
[[ $(wc -l <"$work/t.trace") -eq 34 ]] || fail "not one line per command and per reply"

for verdict in "0 answered" "15 no answer:--silent" "16 no reply:--garbage" "17 echo:--echo" "18 CR LF:--crlf"; do
  status="${verdict%% *}" rest="${verdict#* }"
  word="${rest%%:*}" option="${rest#*:}"
  [[ "$option" == "$rest" ]] && option=""
  case="doctor-$word"
  start_sim "doctor$status" $option
  expect "$status" "verdict: $word" doctor --device "$line"
done

# Only what was verified is reported as done.
case=echo-line-is-no-drive
start_sim echo --echo
cp "$work/drive.txt" "$work/kept.txt"
expect 4 "the line sends back what it is sent" --device "$line" backup "$work/kept.txt"
cmp -s "$work/drive.txt" "$work/kept.txt" || fail "the backup file was replaced"
expect 4 "the line sends back what it is sent" --device "$line" status

case=save-needs-a-status-read-as-servo-off
start_sim garbled --garbage --status 1
expect 6 "the status could not be read ('ZZ?' is no status word): not saved" --device "$line" save
! grep -qF ' rx $S' "$work/garbled.log" || fail "the save was sent"

case=late-acknowledgement-may-have-been-written
start_sim late --delay 2500 --delay-from 6
expect 4 "number 06 was not acknowledged in time and may have been written; written before it: 00 01 02 03 04 05" \
  --device "$line" restore "$work/drive.txt"

case=results-that-cannot-be-written
start_sim out
expect_out() { # status text: the command's stdout goes to /dev/full
  local status="$1" text="$2" code=0; shift 2
  "$vk785n" "$@" >/dev/full 2>"$work/err" || code=$?
  : >"$work/out"
  [[ $code -eq $status ]] || fail "exit status $code, expected $status"
  grep -qF -- "$text" "$work/err" || fail "no '$text'"
  echo "$case: status $code"
}
expect_out 2 "cannot write standard output: No space left on device" --device "$line" status
expect_out 2 "cannot write standard output: No space left on device" --device "$line" --json backup
expect 2 "cannot write the trace /dev/full: No space left on device" --device "$line" --trace /dev/full status
mkfifo "$work/fifo"
expect 2 "no program reads that FIFO" --device "$line" --trace "$work/fifo" status

case=flags-words-kept-as-the-drive-answered
start_sim flags --param 4=077 --param 5=00F
expect 0 "the window would show or write 04 05 otherwise" --device "$line" backup "$work/flags.txt"
grep -q '^04 = 077 .*# encoder flags word; ' "$work/flags.txt" || fail "077 not kept with a note"
start_sim blank
expect 0 "wrote 14 numbers, each read back as written" --device "$line" restore "$work/flags.txt"
grep -qF ' rx 04=077' "$work/blank.log" || fail "077 not written as it was read"

# Ctrl+C ends any wait within half a second and sends nothing after it.
interrupt_after() { # seconds signal args...: runs vk785n, signals it, leaves $code and $took
  local after="$1" signal="$2"; shift 2
  "$vk785n" "$@" >"$work/out" 2>"$work/err" &
  local pid=$!
  sleep "$after"
  local sent; sent=$(date +%s%N)
  kill "-$signal" "$pid"
  code=0; wait "$pid" || code=$?
  took=$(( ($(date +%s%N) - sent) / 1000000 ))
}
case=interrupt-in-a-reply-wait
start_sim mute --silent
interrupt_after 1 INT --device "$line" status
[[ $code -eq 130 && $took -lt 500 ]] || fail "status $code after $took ms"
echo "$case: status $code, $took ms after SIGINT"

case=interrupted-backup-keeps-the-old-file
start_sim slow --delay 300
cp "$work/drive.txt" "$work/kept.txt"
interrupt_after 1 TERM --device "$line" backup "$work/kept.txt"
[[ $code -eq 130 && $took -lt 500 ]] || fail "status $code after $took ms"
cmp -s "$work/drive.txt" "$work/kept.txt" || fail "the backup file was replaced"
[[ -z "$(find "$work" -name '.kept.txt.*')" ]] || fail "a temporary was left"
echo "$case: status $code, $took ms after SIGTERM"

case=interrupted-read-back-saves-nothing
start_sim readback --delay 200
interrupt_after 3.6 INT --device "$line" restore "$work/drive.txt" --save
[[ $code -eq 130 ]] || fail "status $code"
grep -qF "interrupted in the read-back; all were written; nothing was saved" "$work/err" || fail "no report on stderr"
! grep -qF ' rx $S' "$work/readback.log" || fail "the save was sent"
echo "$case: status $code"

# A backup replaces its file whole, through a link, and never a device.
case=backup-targets
start_sim files
ln -s "$work/real.txt" "$work/link.txt"
touch "$work/.real.txt.999999999.part"
expect 0 "16 numbers written to $work/link.txt" --device "$line" backup "$work/link.txt"
[[ -L "$work/link.txt" && -s "$work/real.txt" ]] || fail "the link was replaced"
[[ ! -e "$work/.real.txt.999999999.part" ]] || fail "a killed run's temporary was left"
: >"$work/files.log"
expect 2 "/dev/null: cannot write: it is a device, not a file" --device "$line" backup /dev/null
expect 2 "cannot write" --device "$line" backup /proc/vk785n-backup.txt
! grep -q ' rx ' "$work/files.log" || fail "the drive was read for a file that cannot be written"

# A holder killed with SIGKILL cannot clear its exclusive mark; the simulator
# frees the line once no program has it open, while a live holder keeps it.
case=killed-holder-frees-the-line
start_sim held
"$vk785n" --device "$line" watch >/dev/null 2>&1 &
holder=$!
sleep 0.5
expect 3 "held by another program" --device "$line" status
kill -9 "$holder"; wait "$holder" 2>/dev/null || true
sleep 0.3
expect 0 "status 0: servo off" --device "$line" status

# Standard streams for files, failures on stderr, and under --json every outcome on stdout.
case=standard-streams
start_sim streams --param 6=3
"$vk785n" --device "$line" backup - >"$work/piped.txt" 2>"$work/err" || fail "backup - failed"
grep -q '^06 = 3 ' "$work/piped.txt" || fail "backup - wrote no file to stdout"
code=0; "$vk785n" --device "$line" diff - <"$work/drive.txt" >"$work/out" 2>"$work/err" || code=$?
[[ $code -eq 1 ]] && grep -qF "06  file 20  drive 3" "$work/out" || fail "diff - read no file from stdin"
echo "$case: status $code"
cd "$work"
expect 0 "16 numbers written to ./-" --device "$line" backup ./-
cd - >/dev/null
[[ -s "$work/-" ]] || fail "no file named -"

case=failures-on-stderr
start_sim servo --status 1
code=0; "$vk785n" --device "$line" save >"$work/out" 2>"$work/err" || code=$?
[[ $code -eq 6 && ! -s "$work/out" ]] && grep -qF "the servo is on" "$work/err" || fail "status $code, or the refusal on stdout"
expect 6 '"result":"save refused","exitStatus":6' --device "$line" --json save
expect 3 '"result":"port not opened","exitStatus":3,"device":"/dev/vk785n-none"' --device /dev/vk785n-none --json status
python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$work/out" || fail "not one JSON object"

case=help-per-command
expect 0 "Usage: vk785n [OPTION]... restore FILE" help restore
expect 0 "  6   the save was refused" restore --help
expect 0 "vk785n " -V
expect 2 "the simulator's options come last" --simulate -- --status 1 save

case=messages
start_sim words
expect 0 "wrote 1 number, each read back as written" --device "$line" set 6=1
expect 2 "no parameter number 40 (the numbers are 0 to 11, 18, 22 to 25)" --device "$line" set 40=1
expect 2 "$work: cannot be read: it is a folder" --device "$line" restore "$work"
expect 2 "'COM9' is no port name here: the names are COM1 to COM4" --device COM9 status
expect 3 "/dev/tty: the terminal this program runs in, not a serial line" --device /dev/tty status
expect 2 "'ttyS9' is no device path, and /dev/ttyS9 does not exist" ports --assign COM3=ttyS9
expect 0 "COM3 = /dev/vk785n-none (no such device)" --device COM3=/dev/vk785n-none ports

# get prints the drive's own text; set writes, reads back and says so, and a
# value the drive keeps otherwise is a mismatch.
case=get-and-set
start_sim values --param 6=15 --param 22=1280 --store-wrong 7
expect 0 "06 = 15" --device "$line" get 6
expect 0 "22 = 1280" --device "$line" get 6 22
[[ "$(cat "$work/out")" == $'06 = 15\n22 = 1280' ]] || fail "get 6 22 printed something else"
expect 0 '"values":{"6":"15"}' --device "$line" --json get 6
expect 2 "'31' is no parameter number (0 to 30)" --device "$line" get 31
expect 0 "wrote 2 numbers, each read back as written" --device "$line" set 6=20 22=300
expect 0 "22 = 300" --device "$line" get 6 22
[[ "$(cat "$work/out")" == $'06 = 20\n22 = 300' ]] || fail "set did not leave 6 and 22 as written"
expect 5 "07  written 150" --device "$line" set 7=150
expect 2 "abc" --device "$line" set 6=abc
expect 0 "06 = 20" --device "$line" get 6

# Ctrl+C in the middle of a restore's writes: it stops before the next number and says
# which were written; nothing is sent after it.
case=interrupted-restore
start_sim writes --delay 300
interrupt_after 1 INT --device "$line" restore "$work/drive.txt"
[[ $code -eq 130 && $took -lt 500 ]] || fail "status $code after $took ms"
grep -qE "interrupted before number [0-9]{2} was acknowledged; written before it: 00" "$work/err" || fail "no report of what was written"
# What reached the drive: the numbers reported written and the one interrupted, no more.
written=$(sed -n 's/.*written before it: \([0-9 ]*\).*/\1/p' "$work/err" | wc -w)
sleep 0.3
sent=$(grep -c ' rx [0-9][0-9]=' "$work/writes.log" || true)
[[ $sent -eq $((written + 1)) ]] || fail "$sent writes reached the drive, $written reported written before the interrupted one"
echo "$case: status $code, $written written and one interrupted, as the drive saw"

# watch asks on the clock's whole seconds, a line at each change, and ends on Ctrl+C.
case=watch-on-the-second
start_sim watched --status 1
interrupt_after 2.6 INT --device "$line" watch
[[ $code -eq 0 && $took -lt 500 ]] || fail "status $code after $took ms"
grep -q ': status 1: servo on\|1: servo on' "$work/out" || fail "no line for the status"
[[ $(wc -l <"$work/out") -eq 1 ]] || fail "a line for a status that did not change"
# After the first query, each starts on a whole second (hh:mm:ss.mmm in the log; 300 ms
# leave room for a loaded machine).
late=$(sed -n 's/^[0-9:]*\.\([0-9]*\) rx 31$/\1/p' "$work/watched.log" | tail -n +2 | awk '$1 >= 300' | wc -l)
queries=$(grep -c ' rx 31$' "$work/watched.log")
[[ $queries -ge 3 && $late -eq 0 ]] || fail "$queries queries, $late off the second"
echo "$case: status $code, $queries queries"
