#!/bin/bash
# End to end on a real X display: Marvane starts behind its splash and refuses a second instance
# without disturbing the first. In the first, "32" opens the strip panel and a strip dragged with
# the mouse onto the lower half of the main picture is stamped across its bottom rows. Closing the
# window from its frame writes the settings and keeps the picture (JustText21.bmp), the strip in
# rows 224 to 255.
# Usage: e2e_start_close.sh PATH_TO_MARVANE
set -u
. "$(dirname "$0")/support/xsession.sh"

marvane=${1:?usage: $0 PATH_TO_MARVANE}
[ -x "$marvane" ] || { echo "FAIL: $marvane is not an executable"; exit 2; }
need_tools Xvfb openbox wmctrl xdotool xprop xwininfo perl

duplicate="DUPLICATE INSTANCE Marvane"
strip_colour=2050A0
# Places in the main window's central area (see the controls' layout): the "32" button, the first
# 32-line strip once the panel is open below the picture, and a point in the picture's lower half.
button32_x=547 button32_y=480 strip_x=354 strip_y=287 drop_x=352 drop_y=242

work=$(mktemp -d)
first_pid="" second_pid=""
trap 'end_x_session $second_pid $first_pid' EXIT

bmp() { perl "$(dirname "$0")/support/bmp.pl" "$@"; }
# A picture of the program directory: names, sizes and modification times.
snapshot() { (cd "$program_dir" && find . -printf '%p %s %T@\n' | sort); }

start_x_session "$work" || fail "no X session"
prepare_program_dir
# The first 32-line strip box (Picture4) starts with a strip of one colour.
bmp solid 320 32 "$strip_colour" "$program_dir/JustText22.bmp" || fail "could not make the strip"

# ---- First instance: the splash plays, then the main window shows its default caption
"$marvane" >"$work/first.log" 2>&1 &
first_pid=$!
# The splash lasts well over half a second, so polling sees it while it plays.
splash_seen=no
note_splash() { has_window "Marvane" && splash_seen=yes; return 1; }
wait_until 30 eval 'note_splash || has_window "$caption" || exited $first_pid'
running "$first_pid" || fail "the first instance ended before its window appeared"
has_window "$caption" || fail "no window titled \"$caption\" within 30 s"
[ "$splash_seen" = yes ] || fail "no splash window titled \"Marvane\" was seen before the main window"
wait_until 5 eval '! has_window "Marvane"' || fail "the splash is still shown after start-up"
echo "PASS: the splash \"Marvane\" played before the main window \"$caption\" and is gone"
window=$(windows_titled "$caption" | head -n1)

# ---- Second instance: the duplicate-instance box, OK ends it, nothing in the directory changes
before=$(snapshot)
"$marvane" >"$work/second.log" 2>&1 &
second_pid=$!
wait_until 30 eval 'has_window "$duplicate" || exited $second_pid'
has_window "$duplicate" || fail "the second instance showed no \"$duplicate\" box"
box=$(windows_titled "$duplicate" | head -n1)
timeout 5 wmctrl -i -a "$box"
sleep 0.5
timeout 5 xdotool key Return
if ! wait_until 10 exited "$second_pid"; then
  echo "note: Return did not answer the box; closing it from its frame"
  timeout 5 wmctrl -i -c "$box"
fi
ends_cleanly "$second_pid" "the second instance"
second_pid=""
echo "PASS: the second instance showed \"$duplicate\" and ended after OK"
[ "$(snapshot)" == "$before" ] || fail "the second instance changed the program directory"
running "$first_pid" && has_window "$caption" || fail "the first instance went away with the second"
echo "PASS: the program directory and the first instance are untouched"

# ---- A strip dragged from the "32" panel onto the lower half of the picture
timeout 5 wmctrl -i -a "$window"
# The menu bar stands above the central area.
geometry_of "$caption" || fail "no geometry for the main window"
left=$X top=$((Y + HEIGHT - central_h))
timeout 5 xdotool mousemove $((left + button32_x)) $((top + button32_y)) click 1
sleep 0.5
drag_mouse $((left + strip_x)) $((top + strip_y)) $((left + drop_x)) $((top + drop_y)) 8 0.1 0
sleep 0.5

# ---- Closing the window from its frame writes the settings and the kept picture, then ends
timeout 5 wmctrl -i -c "$window" || fail "wmctrl could not close the main window"
ends_cleanly "$first_pid" "the first instance"
first_pid=""
echo "PASS: closing the main window from its frame ended the program"
restore="$program_dir/restore"
[ -f "$restore" ] || fail "no \"restore\" was written in $program_dir"
lines=$(awk 'END { print NR }' "$restore")
[ "$lines" -eq 127 ] || fail "\"restore\" has $lines lines, not 127"
echo "PASS: \"restore\" was written with 127 lines"
kept="$program_dir/JustText21.bmp"
[ -f "$kept" ] || fail "no JustText21.bmp was written"
bottom=$(bmp colours "$kept" 224 255)
[ "$bottom" = "$strip_colour 10240" ] || fail "rows 224-255 are not the strip: $bottom"
above=$(bmp colours "$kept" 0 223)
echo "$above" | grep -q "^$strip_colour " && fail "the strip reached above row 224: $above"
echo "PASS: the strip dropped on the picture fills rows 224-255 of the picture kept at exit, and no row above"
echo "ALL PASSED"
