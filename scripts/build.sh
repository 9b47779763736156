#!/usr/bin/env bash
# Configures Marvane into build/ and builds the targets named as arguments, or everything (the
# program, its tests and benchmarks) when none is named.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build build -j "$(nproc)" "${targets[@]}"
