#!/bin/bash
# The link to the external SSTV programs on a real X display, with a window manager and without
# one: runs the link test (LINK_DISPLAY_TEST), which drives the stand-in programs (SSTV_STANDIN).
# Usage: link_programs.sh [PATH_TO_MARVANE, unused]
set -u
. "$(dirname "$0")/support/xsession.sh"

test_binary=${LINK_DISPLAY_TEST:?LINK_DISPLAY_TEST names the link test binary}
: "${SSTV_STANDIN:?SSTV_STANDIN names the stand-in program}"
need_tools Xvfb openbox wmctrl xclip xprop xdotool

work=$(mktemp -d)

trap end_x_session EXIT


# With a window manager: windows are activated through it and found in its client list.
start_x_session "$work" || fail "no X session"
QT_QPA_PLATFORM=xcb "$test_binary" || fail "the link failed with a window manager"

# Without one: windows are found by walking the window tree, raised and given the focus directly.
# The clipboard takes the same way either way, so only the window tests run again; nothing
# minimises a window there.
start_display "$work" bare || fail "no second X server"
QT_QPA_PLATFORM=xcb "$test_binary" \
  --gtest_filter='-LinkOnDisplay.ImportKeys*:LinkOnDisplay.AnotherProgramsClipboard*:LinkOnDisplay.AMinimised*' ||
  fail "the link failed without a window manager"
