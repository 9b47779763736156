# Shared by the display tests that drag files from the drag source tool onto a running Marvane.
# Source it after xsession.sh, then call prepare_file_drags "$1" (the path of marvane).

source_title="Marvane test drag source"

# Finds the helper programs (MARVANE_DRAG_SOURCE and MARVANE_SAME_PICTURE name them), the sample
# pictures and the tools; ends the test when one is missing.
prepare_file_drags() {
  marvane=$1
  local program
  drag_source=${MARVANE_DRAG_SOURCE:?MARVANE_DRAG_SOURCE names the drag source program}
  same_picture=${MARVANE_SAME_PICTURE:?MARVANE_SAME_PICTURE names the picture comparison program}
  corpus=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../data/pictures" 2>/dev/null && pwd)
  for program in "$marvane" "$drag_source" "$same_picture"; do
    [ -x "$program" ] || { echo "FAIL: $program is not an executable"; exit 2; }
  done
  [ -f "$corpus/base.png" ] || { echo "FAIL: the sample pictures are missing"; exit 2; }
  need_tools Xvfb openbox wmctrl xdotool xprop xwininfo
}

# Starts Marvane on a fresh program directory, $program_dir, in the X session of $work.
launch_marvane() {
  prepare_program_dir
  "$marvane" >"$work/marvane.log" 2>&1 &
  marvane_pid=$!
  wait_until 30 eval 'has_window "$caption" || exited $marvane_pid'
  has_window "$caption" || fail "no main window within 30 s"
}

# Closes the main window from its frame, which saves the pictures, and waits for Marvane to end.
close_marvane() {
  timeout 5 wmctrl -c "$caption" || fail "wmctrl could not close the main window"
  ends_cleanly "$marvane_pid" Marvane "of closing its window"
  marvane_pid=""
}

# Drags FILE from a new drag source to the point (X, Y) of the main window's client area, in small
# steps as a hand would, and lets go there; the control under it must take the file, or refuse it
# when the fourth argument says "refused".
drop_file() {
  local from_x from_y to_x to_y
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
  drag_mouse "$from_x" "$from_y" "$to_x" "$to_y" 10 0.15 0.5
  wait_until 10 grep -q . "$work/source.log" || fail "the drag of $(basename "$1") did not end"
  grep -q "${4:-accepted}" "$work/source.log" || fail "the drop of $(basename "$1") was not ${4:-accepted}"
  kill "$source_pid" && wait "$source_pid" 2>/dev/null
  source_pid=""
}
