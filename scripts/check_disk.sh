#!/usr/bin/env bash
# Usage: scripts/check_disk.sh <gigabytes> <build-dir...>
# Stops a build before it starts when the file system of the build trees has too little free space for them to grow to
# <gigabytes> together (what they already take counts), so that it does not fail half-way with "No space left on
# device". TARVIK_SKIP_DISK_CHECK=1 skips the check.
set -euo pipefail
[[ "${TARVIK_SKIP_DISK_CHECK:-}" == "1" ]] && exit 0
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
wanted_gb="$1"; shift
taken_kb=0
for dir in "$@"; do
    [[ -d "$dir" ]] && taken_kb=$((taken_kb + $(du -sk "$dir" | cut -f1)))
done
free_kb=$(df -Pk "$root" | awk 'NR == 2 { print $4 }')
needed_kb=$((wanted_gb * 1024 * 1024 - taken_kb))
if ((needed_kb > free_kb)); then
    printf 'Not enough free disk: the build trees (%s) take up to %d GB, %d GB more than they hold now, and %s has %d GB free.\n' \
        "$*" "$wanted_gb" $(((needed_kb + 1048575) / 1048576)) "$(df -P "$root" | awk 'NR == 2 { print $6 }')" \
        $((free_kb / 1048576))
    echo "Free some space (or set TARVIK_SKIP_DISK_CHECK=1 to try anyway)."
    exit 1
fi
