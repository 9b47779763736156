#!/usr/bin/env bash
# Installs what is missing, builds, and runs every benchmark on one core. Arguments go to each
# benchmark (for example --benchmark_filter=Redraw).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export OMP_NUM_THREADS=1 QT_QPA_PLATFORM=offscreen LANG=C LC_ALL=C
for bench in build/bench/*_bench; do
  echo "== $(basename "$bench")"
  taskset -c 0 "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
done
