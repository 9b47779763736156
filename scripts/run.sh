#!/usr/bin/env bash
# Installs what is missing, builds the program alone (not its tests and benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh marvane
exec ./build/marvane "$@"
