#!/usr/bin/env bash
# Builds the libFuzzer harnesses in fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for a bounded time. Usage: scripts/fuzz.sh [SECONDS_PER_HARNESS] [HARNESS...]
# (default 60 seconds, every harness). Findings are kept in build-fuzz/findings/<harness>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMARVANE_FUZZ=ON -DMARVANE_SANITIZE=ON -DMARVANE_BENCHMARKS=OFF >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do harnesses+=("$(basename "$source" .cpp)"); done
fi
cmake --build build-fuzz -j "$(nproc)" --target "${harnesses[@]}"
export QT_QPA_PLATFORM=offscreen LANG=C LC_ALL=C ASAN_OPTIONS=detect_leaks=0
status=0
for h in "${harnesses[@]}"; do
  echo "== $h for ${seconds}s"
  corpus=build-fuzz/corpus/$h findings=build-fuzz/findings/$h
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "fuzz/seeds/$h" ] && seeds+=("fuzz/seeds/$h")
  # Inputs up to 1 MB, so that a small file that costs gigabytes or minutes is found. The largest
  # picture read takes some 0.7 GB under the sanitizers, and Qt may allocate it at 16 bytes a pixel
  # (800 MB) while decoding; a metafile may take the helper's whole 10 s. Anything beyond is a
  # finding, and a read over 3 s is kept as a slow unit.
  "build-fuzz/fuzz/$h" -max_total_time="$seconds" -max_len=1048576 -timeout=15 -rss_limit_mb=2560 \
    -malloc_limit_mb=1024 -report_slow_units=3 -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" || status=1
done
exit $status
