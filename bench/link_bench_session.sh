#!/bin/bash
# Runs the link benchmark ($1, with its arguments) on a private X display with openbox, where its
# stand-in programs show their windows. Without Xvfb or openbox it runs without a display, and the
# benchmark then skips the sends. SSTV_STANDIN names the stand-in program, by default the one
# built with the tests beside the benchmark's folder.
set -u
. "$(dirname "$0")/../tests/display/support/xsession.sh"
benchmark=$(readlink -f "$(command -v "$1")")
export SSTV_STANDIN=${SSTV_STANDIN:-$(dirname "$benchmark")/../tests/sstv_standin}
work=$(mktemp -d)
trap end_x_session EXIT
if command -v Xvfb >/dev/null && command -v openbox >/dev/null && start_x_session "$work"; then
  MARVANE_LINK_BENCH_DISPLAY=1 QT_QPA_PLATFORM=xcb "$@"
else
  echo "link_bench: no X display could be started; the sends are skipped"
  MARVANE_LINK_BENCH_DISPLAY=0 QT_QPA_PLATFORM=offscreen "$@"
fi
