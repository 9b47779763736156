#!/bin/bash
# End to end on a real X display: a file dragged from another program onto the main picture.
# A file that is no picture brings a message box naming it; base.png, as wide as the frame's
# aspect, fills the picture exactly, so the picture kept at exit (JustText21.bmp) is base.ppm.
# Usage: shell_drop.sh PATH_TO_MARVANE (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE name the helper
# programs).
set -u
. "$(dirname "$0")/support/xsession.sh"
. "$(dirname "$0")/support/filedrag.sh"
prepare_file_drags "${1:?usage: $0 PATH_TO_MARVANE}"

# The middle of the main picture in the main window's client area, and the message's title.
picture_x=354 picture_y=130
message_title="Load Image"

work=$(mktemp -d)
marvane_pid="" source_pid=""
trap 'end_x_session $source_pid $marvane_pid' EXIT
start_x_session "$work" || fail "no X session"
launch_marvane

drop_file "$corpus/not-a-picture.jpg" "$picture_x" "$picture_y"
wait_until 10 has_window "$message_title" || fail "no message box for not-a-picture.jpg"
echo "PASS: not-a-picture.jpg brings the message box"
timeout 5 xdotool windowactivate --sync "$(($(windows_titled "$message_title" | head -n1)))" key Return
wait_until 10 eval '! has_window "$message_title"' || fail "the message box did not close"

drop_file "$corpus/base.png" "$picture_x" "$picture_y"
sleep 1
close_marvane
saved="$program_dir/JustText21.bmp"
[ -f "$saved" ] || fail "no JustText21.bmp was written"
"$same_picture" "$saved" "$corpus/base.ppm" || fail "the main picture is not the dropped base.png"
echo "PASS: the main picture is base.png"
echo "ALL PASSED"
