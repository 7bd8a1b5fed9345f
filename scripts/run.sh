#!/usr/bin/env bash
# Builds everything and starts the program against the simulated management server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh
scripts/build.sh build
echo
echo "Built everything in build/. The program's window does not exist yet: it arrives with the application shell."
echo "Until then, 'scripts/test.sh' runs what has been built."
