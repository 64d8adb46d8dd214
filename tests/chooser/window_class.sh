#!/usr/bin/env bash
# The desktop entry's StartupWMClass is the class Qt really gives the windows
# on X (from the application's name), the main window's and the port
# chooser's, so that a dock puts them under the entry. Run by on_own_display.sh.
# Usage: window_class.sh TERMVK785N DESKTOP-ENTRY
set -euo pipefail
terminal="$1" entry="$2"
work="$(mktemp -d)"
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" LANG=C
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
. "$(dirname "$0")/../e2e/wait_for.sh"

fail() { echo "FAIL ($title): $*"; cat "$work/log" 2>/dev/null; exit 1; }

expected=$(sed -n 's/^StartupWMClass=//p' "$entry")
[[ -n "$expected" ]] || { echo "FAIL: $entry has no StartupWMClass"; exit 1; }

# Starts the program with the arguments given and compares the class of its window titled $1.
check() {
  title="$1"
  shift
  "$terminal" "$@" >/dev/null 2>"$work/log" &
  pid=$!
  wait_for 'xprop -name "$title" WM_CLASS >"$work/class" 2>/dev/null || ! kill -0 "$pid"' 30 || fail "no window"
  kill -0 "$pid" || fail "ended before its window was found"
  # WM_CLASS(STRING) = "instance", "class"
  class=$(sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\(.*\)"$/\1/p' "$work/class")
  [[ "$class" == "$expected" ]] || fail "WM_CLASS is $(cat "$work/class"), the entry says $expected"
  kill -TERM "$pid"
  wait "$pid" || true
  pid=""
  echo "$title: WM_CLASS class $class"
}

check "TERM For VK785N" --simulate
check "Choose Serial Port" --choose-port
