#!/usr/bin/env bash
# One version everywhere: each program's --version ("NAME VERSION"), the top
# entry of the Debian changelog ("vk785n (VERSION-REVISION) ...") and the
# newest AppStream release are the CMake project's VERSION.
# Usage: versions.sh VERSION CHANGELOG METAINFO PROGRAM...
set -euo pipefail
version="$1" changelog="$2" metainfo="$3"
shift 3
failures=0
fail() { echo "versions: FAILED: $*"; failures=$((failures + 1)); }

for program in "$@"; do
  said=$("$program" --version)
  [[ "$said" == "$(basename "$program") $version" ]] || fail "$program --version says '$said'"
done

top=$(head -n 1 "$changelog")
[[ "$top" =~ ^vk785n\ \(([^\)]*)-[0-9]+\)\  && "${BASH_REMATCH[1]}" == "$version" ]] ||
  fail "the changelog's top entry is '$top'"

# AppStream lists the newest release first.
release=$(grep -o -m 1 '<release [^>]*version="[^"]*"' "$metainfo" | sed 's/.*version="//; s/"$//' || true)
[[ "$release" == "$version" ]] || fail "the metainfo's newest release is '$release'"

((failures == 0)) || exit 1
echo "versions: $# programs, the changelog and the metainfo say $version"
