#!/bin/bash
# End to end on a real X display: in Pic in Pic mode, a picture file dragged from another program
# and let go over the main picture becomes an insert centred on the pointer. The main picture is
# drawn 2 pixels inside its box's border, so the point in its own pixels is the pointer less the
# drawing area's origin; SET then commits the insert, and the picture kept at exit
# (JustText21.bmp) holds it, 120 x 96, its corner 60 left of and 48 above that point, exactly.
# Usage: insert_drop.sh PATH_TO_MARVANE (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE name the
# helper programs).
set -u
. "$(dirname "$0")/support/xsession.sh"
. "$(dirname "$0")/support/filedrag.sh"
prepare_file_drags "${1:?usage: $0 PATH_TO_MARVANE}"

# Places in the main window's client area (see the controls' layout): the drawing area's origin
# (Picture1 at 192, 0 and its border), the "Pic in Pic" option and SET.
origin_x=194 origin_y=2
picinpic_x=344 picinpic_y=394
set_x=481 set_y=276
# The drop point in the picture's own pixels, and the insert's colour.
at_x=150 at_y=110
colour=2050A0

work=$(mktemp -d)
marvane_pid="" source_pid=""
trap 'end_x_session $source_pid $marvane_pid' EXIT
start_x_session "$work" || fail "no X session"
perl "$(dirname "$0")/support/bmp.pl" solid 120 96 "$colour" "$work/insert.bmp" || fail "could not make the insert"
launch_marvane

# A click in the client area of the window at ($1, $2).
click_at() {
  geometry_of "$caption" || fail "cannot find where the main window is"
  timeout 5 xdotool mousemove $((X + $1)) $((Y + HEIGHT - central_h + $2)) click 1
  sleep 0.5
}

click_at "$picinpic_x" "$picinpic_y"
drop_file "$work/insert.bmp" $((origin_x + at_x)) $((origin_y + at_y))
sleep 1
click_at "$set_x" "$set_y"
close_marvane

kept="$program_dir/JustText21.bmp"
[ -f "$kept" ] || fail "no JustText21.bmp was written"
box=$(perl "$(dirname "$0")/support/bmp.pl" box "$kept" "$colour")
expected="$((at_x - 60)) $((at_y - 48)) $((at_x + 59)) $((at_y + 47)) 11520"
[ "$box" = "$expected" ] || fail "the insert dropped at ($at_x, $at_y) lies at \"$box\" (left top right bottom count), not \"$expected\""
echo "PASS: the insert dropped at ($at_x, $at_y) covers ($((at_x - 60)), $((at_y - 48))) to ($((at_x + 59)), $((at_y + 47)))"
echo "ALL PASSED"
