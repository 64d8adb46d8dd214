#!/usr/bin/env bash
# Runs a command on a virtual X display of its own. Xvfb picks a free display
# number itself (-displayfd); two `xvfb-run -a` started together can choose the
# same one, and the first to end takes the other's display with it.
# Usage: on_own_display.sh COMMAND [ARG...]
set -euo pipefail
dir="$(mktemp -d)"
xvfb=""
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
for ((tries = 0; tries < 100; tries++)); do
  [[ -s "$dir/display" ]] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "on_own_display: Xvfb did not start:" >&2; cat "$dir/log" >&2; exit 1; }
  sleep 0.1
done
[[ -s "$dir/display" ]] || { echo "on_own_display: Xvfb gave no display within 10 s" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"
status=0
"$@" || status=$?
exit "$status"
