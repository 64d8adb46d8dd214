# The checks run inside the guests (busybox sh), one guest_NAME function per
# guest; init has set $guest to the one it runs. Each check prints one line on the console for the host:
#   @@ ok NAME SECONDS
#   @@ FAIL NAME SECONDS REASON
# and "@@ note TEXT" says what was seen where a number matters.
# shellcheck disable=SC2154  # guest comes from init

# The adapter's by-id name, as udev would make it from what the host gives
# QEMU's usb-serial device (serial=VK785N01).
adapter_id='usb-QEMU_QEMU_USB_SERIAL_VK785N01-if00-port0'

now() { cut -d' ' -f1 /proc/uptime; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
note() { echo "@@ note $*"; }

# Runs the function $2 as the check named $1; the function fails it by
# returning non-zero with $reason set.
check() {
    name=$1 reason="" started=$(now)
    if "$2"; then
        echo "@@ ok $name $(since "$started")"
    else
        echo "@@ FAIL $name $(since "$started") ${reason:-failed}"
    fi
}

# Runs a command for at most $1 seconds: its output in /tmp/out and
# /tmp/err, its exit status in $rc, its time in $took.
run() {
    limit=$1 began=$(now) rc=0
    shift
    timeout -s KILL "$limit" "$@" >/tmp/out 2>/tmp/err </dev/null || rc=$?
    took=$(since "$began")
}

said() { cat /tmp/out /tmp/err | tr '\n' ' ' | cut -c 1-300; }

# Judgements on the last run: each fails with the reason set.
status_is() { [ "$rc" = "$1" ] || { reason="exit status $rc, not $1: $(said)"; return 1; }; }
says() { cat /tmp/out /tmp/err | grep -qE "$1" || { reason="no '$1' in: $(said)"; return 1; }; }
file_has() { grep -qE "$1" "$2" 2>/dev/null || { reason="$2 holds no '$1'"; return 1; }; }
at_most() { # SECONDS TAKEN WHAT
    awk -v t="$2" -v l="$1" 'BEGIN { exit !(t <= l) }' || { reason="$3 took $2 s, more than $1 s"; return 1; }
}

# Polls the shell condition $2 for at most $1 seconds.
wait_for() {
    tries=$(($1 * 20))
    until eval "$2"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}

# Loads the USB serial stack, waits for the adapter and names it in
# /dev/serial/by-id as udev's rule does (busybox has no udev).
plug_in_adapter() {
    for module in usb-common usbcore xhci-hcd xhci-pci usbserial ftdi_sio; do
        insmod "/modules/$module.ko" || { echo "@@ FAIL $guest/adapter-found 0 insmod $module failed"; return 1; }
    done
    wait_for 15 '[ -e /dev/ttyUSB0 ]' || { echo "@@ FAIL $guest/adapter-found 15 no /dev/ttyUSB0"; return 1; }
    mkdir -p /dev/serial/by-id
    for tty in /sys/bus/usb-serial/devices/*; do
        usb="$tty/../.."
        id="$(cat "$usb/manufacturer")_$(cat "$usb/product")_$(cat "$usb/serial")"
        id=$(echo "$id" | tr -s ' ' _ | sed 's/[^0-9A-Za-z#+.:=@_-]/_/g')
        ln -s "../../${tty##*/}" \
            "/dev/serial/by-id/usb-$id-if$(cat "$tty/../bInterfaceNumber")-port$(cat "$tty/port_number")"
    done
}

# The drive's own values of the numbers a restore writes up to 11.
write_drive_file() {
    printf '%s\n' '00 = 2048' '01 = 1' '02 = 8' '03 = 0' '04 = 000' '05 = 000' \
        '06 = 0' '07 = 100' '08 = 1000' '09 = 100' '10 = 20' '11 = 5' >"$1"
}

# --- UART, CTS high --------------------------------------------------------
# ttyS1 on the 8250 driver, behind the host's simulator (number 6 at 15).
# Proves every command works through a real UART with both flow controls,
# that a holder killed with SIGKILL leaves the line free (on a real line the
# exclusive mark goes with the last close), and that the window runs on it
# and ends on SIGTERM.
guest_uart_high() {
    line=/dev/ttyS1
    check uart-high/doctor doctor_answers
    check uart-high/backup backup_keeps_drive
    check uart-high/diff diff_names_edit
    check uart-high/restore restore_reads_back
    check uart-high/get get_shows_restored
    check uart-high/killed-holder killed_holder_frees_line
    check uart-high/window window_talks_and_ends
}

doctor_answers() {
    run 20 vk785n doctor --device "$line"
    status_is 0 && says 'ok +CTS is high' && says '^verdict: answered'
}

backup_keeps_drive() {
    run 20 vk785n --device "$line" backup /tmp/drive.txt
    status_is 0 && says '16 numbers written' && file_has '^06 = 15 ' /tmp/drive.txt
}

diff_names_edit() {
    sed -i 's/^06 = 15 /06 = 0  /' /tmp/drive.txt
    run 20 vk785n --device "$line" diff /tmp/drive.txt
    status_is 1 && says '^.*: 1 difference' && says '06 +file 0 +drive 15'
}

restore_reads_back() {
    run 30 vk785n --device "$line" restore /tmp/drive.txt
    status_is 0 && says 'each read back as written' || return 1
    # A fresh look, by another process, finds the drive as the file says.
    run 20 vk785n --device "$line" diff /tmp/drive.txt
    status_is 0
}

get_shows_restored() {
    run 20 vk785n --device "$line" get 06 07
    status_is 0 && says '^06 = 0$' && says '^07 = 100$'
}

killed_holder_frees_line() {
    vk785n --device "$line" watch >/tmp/watch.out 2>&1 </dev/null &
    holder=$!
    if ! wait_for 10 '[ -s /tmp/watch.out ]'; then
        kill -9 "$holder"
        reason="watch printed no status"
        return 1
    fi
    run 20 vk785n --device "$line" status
    refused=$rc
    kill -9 "$holder"
    wait "$holder"
    [ "$refused" = 3 ] || { reason="a second program got the line while watch held it (exit status $refused)"; return 1; }
    run 20 vk785n --device "$line" status
    status_is 0 && says 'status 0: servo off'
}

# --- UART, CTS low ---------------------------------------------------------
# ttyS1 again, but QEMU reads the modem lines of the host's pseudo-terminal,
# which has none: CTS, DSR and CD low. Proves the doctor reads CTS on a real
# line, and that a status query which cannot leave the line ends within its
# own budget (10 s), and that SIGTERM ends the window within the exchange
# under way while its query is still queued: unsent bytes must not hold
# close() for the driver's closing_wait (30 s).
guest_uart_low() {
    line=/dev/ttyS1
    check uart-low/doctor doctor_sees_cts_low
    check uart-low/status-ends status_ends_in_budget
    check uart-low/window window_ends_with_query_queued
}

doctor_sees_cts_low() {
    run 20 vk785n doctor --device "$line"
    status_is 14 && says '^verdict: CTS low'
}

status_ends_in_budget() {
    run 60 vk785n --device "$line" status
    note "uart-low: status ended after $took s with exit status $rc: $(said)"
    status_is 4 && says 'no answer' && at_most 12 "$took" "the status query"
}

# --- USB adapter -----------------------------------------------------------
# QEMU's FTDI adapter (usb-serial on xHCI, the ftdi_sio driver), CTS high.
# Proves the listing shows the adapter's maker, product and by-id name, that
# --assign writes the by-id name into the port map, and that the doctor and a
# backup reach the drive through that map, with no request to the adapter
# failing on the way.
guest_adapter() {
    plug_in_adapter || return
    stable=/dev/serial/by-id/$adapter_id
    check adapter/ports ports_lists_adapter
    check adapter/assign assign_writes_stable_name
    check adapter/doctor doctor_through_map
    check adapter/backup backup_through_map
    check adapter/kernel-log driver_took_every_setting
}

ports_lists_adapter() {
    run 20 vk785n ports
    status_is 0 && says '^/dev/ttyUSB0: QEMU QEMU USB SERIAL;' && says "^ +also $stable\$"
}

assign_writes_stable_name() {
    run 20 vk785n ports --assign COM1=/dev/ttyUSB0
    status_is 0 && file_has "^COM1 *= *$stable\$" "$XDG_CONFIG_HOME/vk785n/ports.conf"
}

doctor_through_map() {
    run 20 vk785n doctor COM1
    status_is 0 && says "$stable" && says '^verdict: answered'
}

backup_through_map() {
    run 20 vk785n backup /tmp/drive.txt
    status_is 0 && says '16 numbers written' && file_has "^# port: .*$stable" /tmp/drive.txt
}

# Each open set the line up (9600 8N1, RTS/CTS and XON/XOFF, DTR) through
# control requests to the adapter; the driver logs any it sent in vain.
driver_took_every_setting() {
    errors=$(dmesg | grep -E 'ftdi_sio|usbserial' | grep -iE 'error|fail')
    [ -z "$errors" ] || { reason="the driver said: $(echo "$errors" | tr '\n' ' ')"; return 1; }
}

# --- USB adapter pulled ----------------------------------------------------
# The adapter is taken away (device_del on QEMU's monitor, by the host) while
# a restore waits for the acknowledgement of number 07: the host's simulator
# answers nothing from 07 on, so the cut always falls there. Proves the
# program notices at once that the device went away, says so and lists what
# it had written, instead of sitting out its reply budget as "no answer".
guest_unplug() {
    plug_in_adapter || return
    check unplug/restore restore_notices_unplug
}

restore_notices_unplug() {
    write_drive_file /tmp/drive.txt
    run 20 vk785n --device "/dev/serial/by-id/$adapter_id" restore /tmp/drive.txt
    # The kernel's clock, the one its log of the disconnect is stamped with.
    echo "vk785n: restore ended" >/dev/kmsg
    pulled=$(dmesg | sed -n 's/^\[ *\([0-9.]*\)\] usb [0-9.-]*: USB disconnect.*/\1/p' | head -n 1)
    ended=$(dmesg | sed -n 's/^\[ *\([0-9.]*\)\] vk785n: restore ended.*/\1/p' | tail -n 1)
    [ -n "$pulled" ] || { reason="the adapter was not pulled: $(said)"; return 1; }
    gap=$(awk -v a="$pulled" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
    note "unplug: restore ended $gap s after the unplug with exit status $rc: $(said)"
    at_most 0.5 "$gap" "noticing the unplug" || return 1
    if [ "$rc" = 0 ] || [ "$rc" = 4 ]; then
        reason="exit status $rc: $(said)"
        return 1
    fi
    says 'went away|gone|unplugged|disconnected|removed|vanished|no longer' &&
        says 'written before it: 00 01 02 03 04 05 06'
}

# --- The window ------------------------------------------------------------
# termvk785n on the offscreen platform, in both UART guests.

# Starts the window on $1, waits until its trace shows $2 (a command sent, a
# reply received), gives it $3 seconds more and ends it with SIGTERM: the
# time from the signal to its end in $took, its exit status in $rc.
window_run() {
    rm -rf "$XDG_CONFIG_HOME/vk785n" /tmp/window.trace
    QT_QPA_PLATFORM=offscreen termvk785n --device "COM1=$1" --trace /tmp/window.trace \
        >/tmp/out 2>/tmp/err </dev/null &
    window=$!
    began=$(now)
    wait_for 30 "grep -q '$2' /tmp/window.trace 2>/dev/null" || reason="no '$2' in its trace within 30 s"
    seen=$(since "$began")
    sleep "$3"
    kill -TERM "$window"
    began=$(now)
    wait_for 60 "! kill -0 $window 2>/dev/null" || kill -9 "$window"
    rc=0
    wait "$window" || rc=$?
    took=$(since "$began")
    note "$guest: the window traced '$2' $seen s after its start and ended $took s after SIGTERM, exit status $rc"
    [ -z "$reason" ]
}

window_talks_and_ends() {
    window_run "$line" ' rx ' 3 || return 1
    status_is 0 && at_most 5 "$took" "the end on SIGTERM" &&
        file_has '^PortID=1' "$XDG_CONFIG_HOME/vk785n/DudAved.ini"
}

# The window ends within the exchange under way, and one that gets no reply
# takes its 10 s budget: then the close, with the query still queued.
window_ends_with_query_queued() {
    window_run "$line" ' tx ' 3 || return 1
    status_is 0 && at_most 12 "$took" "the end on SIGTERM"
}
