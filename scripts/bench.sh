#!/usr/bin/env bash
# Installs what is missing, builds, and measures the text redraw and SET on one core.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec taskset -c 0 ./build/bench/text_redraw_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
