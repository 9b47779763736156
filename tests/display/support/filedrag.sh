# Shared by the display tests that drag files from the drag source tool onto a running Marvane.
# Source it after xsession.sh, then call prepare_file_drags "$1" (the path of marvane).

caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
source_title="Marvane test drag source"
central_h=536  # the height of the main window's client area, below its menu bar

# Finds the helper programs (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE may name them), the
# sample pictures and the tools; ends the test when one is missing.
prepare_file_drags() {
  marvane=$1
  local tools=$(dirname "$marvane")/tests program tool
  drag_source=${MARVANE_DRAG_SOURCE:-$tools/drag_source}
  same_picture=${MARVANE_SAME_PICTURE:-$tools/same_picture}
  corpus=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../data/pictures" 2>/dev/null && pwd)
  for program in "$marvane" "$drag_source" "$same_picture"; do
    [ -x "$program" ] || { echo "FAIL: $program is not an executable"; exit 2; }
  done
  [ -f "$corpus/base.png" ] || { echo "FAIL: the sample pictures are missing"; exit 2; }
  for tool in Xvfb openbox wmctrl xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
  done
}

# Starts Marvane on a fresh program directory, $data/marvane, in the X session of $work.
launch_marvane() {
  data="$work/data"
  mkdir -p "$data" "$work/runtime" "$work/home"
  chmod 700 "$work/runtime"
  export XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
  "$marvane" >"$work/marvane.log" 2>&1 &
  marvane_pid=$!
  wait_until 30 eval 'has_window "$caption" || exited $marvane_pid'
  has_window "$caption" || fail "no main window within 30 s"
}

# Closes the main window from its frame, which saves the pictures, and waits for Marvane to end.
close_marvane() {
  timeout 5 wmctrl -c "$caption" || fail "wmctrl could not close the main window"
  wait_until 30 exited "$marvane_pid" || fail "Marvane did not end within 30 s of closing its window"
  wait "$marvane_pid"
  marvane_pid=""
}

# Sets X, Y, WIDTH and HEIGHT of the first window titled exactly $1.
geometry_of() {
  local id
  id=$(windows_titled "$1" | head -n1)
  [ -n "$id" ] && eval "$(timeout 5 xdotool getwindowgeometry --shell "$((id))")"
}

# Drags FILE from a new drag source to the point (X, Y) of the main window's client area, in small
# steps as a hand would, and lets go there; the control under it must take the file.
drop_file() {
  local from_x from_y to_x to_y step
  "$drag_source" "$1" "$source_title" >"$work/source.log" 2>&1 &
  source_pid=$!
  wait_until 30 has_window "$source_title" || fail "the drag source did not show its window"
  timeout 5 xdotool windowmove "$(($(windows_titled "$source_title" | head -n1)))" 900 700
  sleep 0.5
  # Measured once both windows stand where the window manager put them.
  geometry_of "$caption" || fail "cannot find where the main window is"
  to_x=$((X + $2)) to_y=$((Y + HEIGHT - central_h + $3))
  geometry_of "$source_title" || fail "cannot find where the drag source is"
  from_x=$((X + WIDTH / 2)) from_y=$((Y + HEIGHT / 2))
  timeout 5 xdotool mousemove "$from_x" "$from_y"
  sleep 0.3
  timeout 5 xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8 9 10; do
    timeout 5 xdotool mousemove $((from_x + (to_x - from_x) * step / 10)) $((from_y + (to_y - from_y) * step / 10))
    sleep 0.15
  done
  timeout 5 xdotool mousemove "$to_x" "$to_y"
  sleep 0.5
  timeout 5 xdotool mouseup 1
  wait_until 10 grep -q . "$work/source.log" || fail "the drag of $(basename "$1") did not end"
  grep -q accepted "$work/source.log" || fail "$(basename "$1") was refused"
  kill "$source_pid" && wait "$source_pid" 2>/dev/null
  source_pid=""
}
