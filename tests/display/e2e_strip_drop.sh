#!/bin/bash
# End to end on a real X display: a picture file dragged from another program onto the first box
# of the saved-thumbnail strip is kept in the shown page, so closing the window writes it as the
# first saved picture, fitted to the 320 x 256 frame.
# Usage: e2e_strip_drop.sh PATH_TO_MARVANE (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE name the
# helper programs built with the tests).
set -u
. "$(dirname "$0")/support/xsession.sh"
. "$(dirname "$0")/support/filedrag.sh"

marvane=${1:?usage: $0 PATH_TO_MARVANE}
tools=$(dirname "$marvane")/tests
drag_source=${MARVANE_DRAG_SOURCE:-$tools/drag_source}
same_picture=${MARVANE_SAME_PICTURE:-$tools/same_picture}
corpus=$(cd "$(dirname "$0")/../../../shared/testdata/pictures" 2>/dev/null && pwd)
for program in "$marvane" "$drag_source" "$same_picture"; do
  [ -x "$program" ] || { echo "FAIL: $program is not an executable"; exit 2; }
done
[ -f "$corpus/base.tga" ] || { echo "FAIL: the sample pictures are missing"; exit 2; }
for tool in Xvfb openbox wmctrl xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
done

caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
source_title="Marvane test drag source"
# Where the first strip box lies in the main window's client area below its menu bar, and the
# height of that area (the menu bar sits above it).
box_x=523 box_y=8 box_w=101 box_h=81 central_h=536

work=$(mktemp -d)
marvane_pid="" source_pid=""
trap 'end_x_session $source_pid $marvane_pid' EXIT

start_x_session "$work" || fail "no X session"
data="$work/data"
mkdir -p "$data" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb

"$marvane" >"$work/marvane.log" 2>&1 &
marvane_pid=$!
wait_until 30 eval 'has_window "$caption" || exited $marvane_pid'
has_window "$caption" || fail "no main window within 30 s"
"$drag_source" "$corpus/base.tga" "$source_title" >"$work/source.log" 2>&1 &
source_pid=$!
wait_until 30 has_window "$source_title" || fail "the drag source did not show its window"
timeout 5 xdotool windowmove "$(($(windows_titled "$source_title" | head -n1)))" 900 700
sleep 0.5

geometry_of "$caption" || fail "cannot find where the main window is"

# ---- Drag base.tga from the source onto Image2
drag_to "$source_title" $((X + box_x + box_w / 2)) $((Y + HEIGHT - central_h + box_y + box_h / 2)) ||
  fail "cannot find where the drag source is"
wait_until 10 grep -q . "$work/source.log" || fail "the drag did not end"
grep -q accepted "$work/source.log" || fail "the strip box refused the dropped file"
echo "PASS: the first strip box took base.tga"
sleep 1

# ---- Closing the window keeps the page: JustText1.bmp is base.tga fitted, the same pixels
timeout 5 wmctrl -c "$caption" || fail "wmctrl could not close the main window"
wait_until 30 exited "$marvane_pid" || fail "Marvane did not end within 30 s of closing its window"
wait "$marvane_pid"
marvane_pid=""
saved="$data/marvane/JustText1.bmp"
[ -f "$saved" ] || fail "no JustText1.bmp was written"
"$same_picture" "$saved" "$corpus/base.ppm" || fail "JustText1.bmp is not the dropped picture"
echo "PASS: JustText1.bmp holds the dropped picture"
echo "ALL PASSED"
