#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, then runs the tests of the pixel library
# and of the file readers again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure -j "$(nproc)")
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARVANE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$(nproc)"
cd build-sanitize
# Qt and fontconfig keep caches until exit on purpose: leaks are not what these runs look for.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
