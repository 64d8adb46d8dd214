# Sourced by the end-to-end scripts.

# Waits up to $2 seconds for the command $1 to succeed.
wait_for() {
  local deadline=$((SECONDS + $2))
  until eval "$1"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}
