#!/bin/bash
# End to end on a real X display: Marvane starts behind its splash, refuses a second instance
# without disturbing the first, and writes its settings when its window is closed from the frame.
# Usage: e2e_start_close.sh PATH_TO_MARVANE
set -u
. "$(dirname "$0")/support/xsession.sh"

marvane=${1:?usage: $0 PATH_TO_MARVANE}
[ -x "$marvane" ] || { echo "FAIL: $marvane is not an executable"; exit 2; }
for tool in Xvfb openbox wmctrl xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
done

caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
duplicate="DUPLICATE INSTANCE Marvane"

work=$(mktemp -d)
first_pid="" second_pid=""

trap 'end_x_session $second_pid $first_pid' EXIT

# A picture of the program directory: names, sizes and modification times.
snapshot() { (cd "$data/marvane" 2>/dev/null && find . -printf '%p %s %T@\n' | sort); }

# ---- The display and the window manager
start_x_session "$work" || fail "no X session"

# ---- A private program directory and runtime folder
data="$work/data"
mkdir -p "$data" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb

# ---- First instance: the splash plays, then the main window shows its default caption
"$marvane" >"$work/first.log" 2>&1 &
first_pid=$!
# The splash lasts well over half a second, so polling sees it while it plays.
splash_seen=no
note_splash() { has_window "Marvane" && splash_seen=yes; return 1; }
wait_until 30 eval 'note_splash || has_window "$caption" || exited $first_pid'
running "$first_pid" || fail "the first instance ended before its window appeared"
has_window "$caption" || fail "no window titled \"$caption\" within 30 s"
echo "PASS: the main window appeared with the caption \"$caption\""
[ "$splash_seen" = yes ] || fail "no splash window titled \"Marvane\" was seen before the main window"
echo "PASS: the splash \"Marvane\" played before the main window"
wait_until 5 eval '! has_window "Marvane"' || fail "the splash is still shown after start-up"
echo "PASS: the splash is gone once the main window shows"
first_window=$(windows_titled "$caption" | head -n1)

# ---- Second instance: the duplicate-instance box, OK ends it, nothing in the directory changes
before=$(snapshot)
"$marvane" >"$work/second.log" 2>&1 &
second_pid=$!
wait_until 30 eval 'has_window "$duplicate" || exited $second_pid'
has_window "$duplicate" || fail "the second instance showed no \"$duplicate\" box"
echo "PASS: the second instance shows \"$duplicate\""
box=$(windows_titled "$duplicate" | head -n1)
timeout 5 wmctrl -i -a "$box"
sleep 0.5
timeout 5 xdotool key Return
if ! wait_until 10 exited "$second_pid"; then
  echo "note: Return did not answer the box; closing it from its frame"
  timeout 5 wmctrl -i -c "$box"
  wait_until 10 exited "$second_pid" || fail "the second instance did not end after its box was answered"
fi
wait "$second_pid"
second_status=$?
second_pid=""
[ "$second_status" -eq 0 ] || fail "the second instance ended with status $second_status"
echo "PASS: the second instance ended after OK"
[ "$(snapshot)" == "$before" ] || fail "the second instance changed the program directory"
echo "PASS: the second instance left the program directory untouched"
running "$first_pid" || fail "the first instance ended together with the second"
has_window "$caption" || fail "the first instance's window went away"
echo "PASS: the first instance keeps running"

# ---- Closing the first window from its frame writes the settings and ends the process
timeout 5 wmctrl -i -c "$first_window" || fail "wmctrl could not close the main window"
wait_until 30 exited "$first_pid" || fail "the first instance did not end within 30 s of closing its window"
wait "$first_pid"
first_status=$?
first_pid=""
[ "$first_status" -eq 0 ] || fail "the first instance ended with status $first_status"
echo "PASS: closing the main window from its frame ended the program"
restore="$data/marvane/restore"
[ -f "$restore" ] || fail "no \"restore\" was written in $data/marvane"
lines=$(awk 'END { print NR }' "$restore")
[ "$lines" -eq 127 ] || fail "\"restore\" has $lines lines, not 127"
echo "PASS: \"restore\" was written with 127 lines"
echo "ALL PASSED"
