#!/bin/bash
# End to end on a real X display: a picture file dragged from another program onto the first box
# of the saved-thumbnail strip is kept in the shown page, so closing the window writes it as the
# first saved picture, fitted to the 320 x 256 frame.
# Usage: e2e_strip_drop.sh PATH_TO_MARVANE (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE name the
# helper programs).
set -u
. "$(dirname "$0")/support/xsession.sh"
. "$(dirname "$0")/support/filedrag.sh"
prepare_file_drags "${1:?usage: $0 PATH_TO_MARVANE}"

# The middle of the first strip box in the main window's client area.
box_x=573 box_y=48

work=$(mktemp -d)
marvane_pid="" source_pid=""
trap 'end_x_session $source_pid $marvane_pid' EXIT
start_x_session "$work" || fail "no X session"
launch_marvane

drop_file "$corpus/base.tga" "$box_x" "$box_y"
echo "PASS: the first strip box took base.tga"
sleep 1

# ---- Closing the window keeps the page: JustText1.bmp is base.tga fitted, the same pixels
close_marvane
saved="$program_dir/JustText1.bmp"
[ -f "$saved" ] || fail "no JustText1.bmp was written"
"$same_picture" "$saved" "$corpus/base.ppm" || fail "JustText1.bmp is not the dropped picture"
echo "PASS: JustText1.bmp holds the dropped picture"
echo "ALL PASSED"
