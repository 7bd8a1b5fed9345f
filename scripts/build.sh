#!/usr/bin/env bash
# Configures and builds one build tree. Usage: scripts/build.sh <build-dir> [cmake options...] [-- targets...]
# Without targets it builds everything; `tests_<label>` builds the tests of one CTest label and what they run.
# TARVIK_JOBS sets how many compilers run at once (default: one per processor).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir="$1"; shift
options=()
while (($#)) && [[ "$1" != "--" ]]; do
    options+=("$1"); shift
done
(($#)) && shift
# CI turns warnings into errors, and keeps line tables only of the debug information: a failure's backtrace keeps its
# files and lines, at far less cost to build.
ci=OFF
[[ "${CI:-}" == "true" ]] && ci=ON
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_WERROR="$ci" -DTARVIK_LINE_TABLES="$ci" \
    "${options[@]}" >/dev/null
cmake --build "$dir" --parallel "${TARVIK_JOBS:-$(nproc)}" ${1:+--target "$@"}
