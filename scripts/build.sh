#!/usr/bin/env bash
# Configures and builds one build tree. Usage: scripts/build.sh <build-dir> [cmake options...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir="$1"; shift
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_WERROR="$werror" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
