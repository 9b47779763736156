#!/bin/bash
# The link to the external SSTV programs on a real X display, with a window manager and without
# one: runs the link test (LINK_DISPLAY_TEST), which drives the stand-in programs (SSTV_STANDIN).
# Usage: link_programs.sh [PATH_TO_MARVANE, unused]
set -u

test_binary=${LINK_DISPLAY_TEST:?LINK_DISPLAY_TEST names the link test binary}
: "${SSTV_STANDIN:?SSTV_STANDIN names the stand-in program}"
for tool in Xvfb openbox wmctrl xclip; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
done

work=$(mktemp -d)
xvfb_pid="" wm_pid=""  # the X servers, the window manager

cleanup() {
  local pid
  for pid in $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
  done
  exit 1
}

# Runs the command every 0.05 s until it succeeds or the seconds run out.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.05
  done
}

# Starts an X server on a free display (Xvfb picks it and tells it on descriptor 3, so parallel
# runs never collide) and makes it $DISPLAY.
start_display() {
  local name=$1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/$name.display" >"$work/$name-xvfb.log" 2>&1 &
  xvfb_pid="$xvfb_pid $!"
  wait_until 15 test -s "$work/$name.display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/$name.display")"
}

# With a window manager: windows are activated through it and found in its client list.
start_display managed
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wait_until 15 eval 'timeout 5 wmctrl -m >/dev/null 2>&1' || fail "openbox did not take the display $DISPLAY"
QT_QPA_PLATFORM=xcb "$test_binary" || fail "the link failed with a window manager"

# Without one: windows are found by walking the window tree, raised and given the focus directly.
# The clipboard takes the same way either way, so only the window tests run again.
start_display bare
QT_QPA_PLATFORM=xcb "$test_binary" \
  --gtest_filter='-LinkOnDisplay.ImportKeys*:LinkOnDisplay.AnotherProgramsClipboard*' ||
  fail "the link failed without a window manager"
