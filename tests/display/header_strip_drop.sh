#!/bin/bash
# End to end on a real X display: "32" opens the strip panel, a strip dragged with the mouse onto
# the lower half of the main picture is stamped across its bottom rows, and the picture kept at
# exit (JustText21.bmp) holds the strip in rows 224 to 255.
# Usage: header_strip_drop.sh PATH_TO_MARVANE
set -u
. "$(dirname "$0")/support/xsession.sh"

marvane=${1:?usage: $0 PATH_TO_MARVANE}
[ -x "$marvane" ] || { echo "FAIL: $marvane is not an executable"; exit 2; }
for tool in Xvfb openbox wmctrl xdotool xprop xwininfo perl; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
done

caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
strip_colour=2050A0
# Places in the main window's central area (see the controls' layout): the "32" button, the first
# 32-line strip once the panel is open below the picture, and a point in the picture's lower half.
button32_x=547 button32_y=480
strip_x=354 strip_y=287
drop_x=352 drop_y=242
central_height=536

work=$(mktemp -d)
app_pid=""
trap 'end_x_session $app_pid' EXIT

bmp() { perl "$(dirname "$0")/support/bmp.pl" "$@"; }

start_x_session "$work" || fail "no X session"

data="$work/data"
program_dir="$data/marvane"
mkdir -p "$program_dir" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
# The first 32-line strip box (Picture4) starts with a strip of one colour.
bmp solid 320 32 "$strip_colour" "$program_dir/JustText22.bmp" || fail "could not make the strip"

"$marvane" >"$work/marvane.log" 2>&1 &
app_pid=$!
wait_until 30 eval 'has_window "$caption" || exited $app_pid'
has_window "$caption" || fail "no window titled \"$caption\" within 30 s"
window=$(windows_titled "$caption" | head -n1)
timeout 5 wmctrl -i -a "$window"
# The window's own area on the screen (xdotool reports it shifted by the frame).
geometry=$(timeout 5 xwininfo -id "$window")
left=$(echo "$geometry" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(echo "$geometry" | sed -n 's/.*Absolute upper-left Y: *//p')
height=$(echo "$geometry" | sed -n 's/.*Height: *//p')
[ -n "$left" ] && [ -n "$y" ] && [ -n "$height" ] || fail "no geometry for the main window"
# The menu bar stands above the central area.
top=$((y + height - central_height))
echo "PASS: the main window shows at $left,$y, its controls from $top down"

timeout 5 xdotool mousemove $((left + button32_x)) $((top + button32_y)) click 1
sleep 0.5
timeout 5 xdotool mousemove $((left + strip_x)) $((top + strip_y))
sleep 0.3
timeout 5 xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  timeout 5 xdotool mousemove $((left + strip_x + (drop_x - strip_x) * step / 8)) \
    $((top + strip_y + (drop_y - strip_y) * step / 8))
  sleep 0.1
done
timeout 5 xdotool mouseup 1
sleep 0.5
echo "PASS: a strip was dragged from the \"32\" panel onto the picture"

timeout 5 wmctrl -i -c "$window" || fail "wmctrl could not close the main window"
wait_until 30 exited "$app_pid" || fail "Marvane did not end within 30 s of closing its window"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "Marvane ended with status $status"

kept="$program_dir/JustText21.bmp"
[ -f "$kept" ] || fail "no JustText21.bmp was written"
bottom=$(bmp colours "$kept" 224 255)
[ "$bottom" = "$strip_colour 10240" ] || fail "rows 224-255 are not the strip: $bottom"
echo "PASS: rows 224-255 of the picture kept at exit are the strip"
above=$(bmp colours "$kept" 0 223)
echo "$above" | grep -q "^$strip_colour " && fail "the strip reached above row 224: $above"
echo "PASS: the rows above are untouched"
echo "ALL PASSED"
