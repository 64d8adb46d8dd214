#!/usr/bin/env bash
# Fails if a program's RUNPATH or RPATH has the loader look where it should
# not: an empty entry or a relative folder (both found from the current
# folder, wherever the program is started: a libstdc++.so.6 there would be
# loaded), or a folder that holds none of the libraries the program needs.
# Usage: runpath.sh FOLDER|PROGRAM...   (a folder: every ELF file in it)
set -euo pipefail
checked=0 failures=0

# The entries of $1's RUNPATH and RPATH, one a line, empty ones kept.
entries() {
  readelf -d "$1" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p' | tr ':' '\n'
}

# Why the entry $2 of program $1 is wrong; nothing when it is sound.
fault() {
  local program="$1" entry="$2" folder library
  [[ -n "$entry" ]] || { echo "an empty entry (the current folder)"; return; }
  folder="${entry//\$\{ORIGIN\}/\$ORIGIN}"
  folder="${folder//\$ORIGIN/$(dirname "$(realpath "$program")")}"
  [[ "$folder" == /* ]] || { echo "'$entry', found from the current folder"; return; }
  for library in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'); do
    [[ -e "$folder/$library" ]] && return
  done
  echo "'$entry', which holds none of its libraries"
}

check() {
  local program="$1" entry why
  checked=$((checked + 1))
  while IFS= read -r why; do
    echo "runpath: FAILED: $program looks in $why"
    failures=$((failures + 1))
  done < <(entries "$program" | while IFS= read -r entry; do fault "$program" "$entry"; done | sort -u)
}

for arg in "$@"; do
  if [[ -d "$arg" ]]; then
    for file in "$arg"/*; do
      [[ -f "$file" ]] && readelf -h "$file" >/dev/null 2>&1 && check "$file"
    done
  elif readelf -h "$arg" >/dev/null 2>&1; then
    check "$arg"
  else
    echo "runpath: FAILED: $arg is no program"
    failures=$((failures + 1))
  fi
done
((checked)) || { echo "runpath: FAILED: no program in $*"; exit 1; }
((failures == 0)) || exit 1
echo "runpath: $checked programs look for libraries only where the system keeps them or where theirs are"
