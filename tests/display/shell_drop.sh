#!/bin/bash
# End to end on a real X display: a file dragged from another program onto the main picture.
# A file that is no picture brings a message box naming it; base.png, as wide as the frame's
# aspect, fills the picture exactly, so the picture kept at exit (JustText21.bmp) is base.ppm.
# Usage: shell_drop.sh PATH_TO_MARVANE (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE may name the
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
[ -f "$corpus/base.png" ] || { echo "FAIL: the sample pictures are missing"; exit 2; }
for tool in Xvfb openbox wmctrl xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
done

caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
source_title="Marvane test drag source"
message_title="Load Image"
# The middle of the main picture in the main window's client area below its menu bar, and the
# height of that area.
picture_x=354 picture_y=130 central_h=536

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

# Drags FILE from a new drag source onto the middle of the main picture; the source then ends.
drop_file() {
  "$drag_source" "$1" "$source_title" >"$work/source.log" 2>&1 &
  source_pid=$!
  wait_until 30 has_window "$source_title" || fail "the drag source did not show its window"
  timeout 5 xdotool windowmove "$(($(windows_titled "$source_title" | head -n1)))" 900 700
  sleep 0.5
  # Measured once both windows have settled where the window manager put them.
  geometry_of "$caption" || fail "cannot find where the main window is"
  drag_to "$source_title" $((X + picture_x)) $((Y + HEIGHT - central_h + picture_y)) ||
    fail "cannot find where the drag source is"
  wait_until 10 grep -q . "$work/source.log" || fail "the drag of $(basename "$1") did not end"
  grep -q accepted "$work/source.log" || fail "the main picture refused $(basename "$1")"
  kill "$source_pid" && wait "$source_pid" 2>/dev/null
  source_pid=""
}

# ---- A file that is no picture: the message names it, and OK closes it
drop_file "$corpus/not-a-picture.jpg"
wait_until 10 has_window "$message_title" || fail "no message box for not-a-picture.jpg"
echo "PASS: not-a-picture.jpg brings the message box"
timeout 5 xdotool windowactivate --sync "$(($(windows_titled "$message_title" | head -n1)))" key Return
wait_until 10 eval '! has_window "$message_title"' || fail "the message box did not close"

# ---- base.png fills the picture, which closing the window keeps as JustText21.bmp
drop_file "$corpus/base.png"
sleep 1
timeout 5 wmctrl -c "$caption" || fail "wmctrl could not close the main window"
wait_until 30 exited "$marvane_pid" || fail "Marvane did not end within 30 s of closing its window"
wait "$marvane_pid"
marvane_pid=""
saved="$data/marvane/JustText21.bmp"
[ -f "$saved" ] || fail "no JustText21.bmp was written"
"$same_picture" "$saved" "$corpus/base.ppm" || fail "the main picture is not the dropped base.png"
echo "PASS: the main picture is base.png"
echo "ALL PASSED"
