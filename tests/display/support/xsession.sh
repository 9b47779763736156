# Shared by the display tests: a private X display with openbox, polling helpers, and what they
# know of Marvane's main window and how they start it and drive the mouse.
# Source it, then call start_x_session "$work"; it exports DISPLAY and sets xvfb_pid and wm_pid.
# The sourcing script owns the folder $work and ends with end_x_session from its EXIT trap.

xvfb_pid="" wm_pid=""
caption="MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"
central_h=536  # the height of the main window's client area, below its menu bar

# Ends the test unless every named tool is installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 2; }
  done
}

# What the tests of a send against the stand-in programs start from: $marvane from the script's
# argument, $standin from SSTV_STANDIN, the tools they use, an empty work folder $work, and no
# Marvane ($marvane_pid) or stand-ins ($standins) running yet.
start_send_test() {
  marvane=${1:?usage: $0 PATH_TO_MARVANE}
  standin=${SSTV_STANDIN:?SSTV_STANDIN names the stand-in program}
  need_tools Xvfb openbox wmctrl xdotool xprop xwininfo
  work=$(mktemp -d)
  marvane_pid="" standins=""
}

# Ends the given processes, then the window manager and the X servers, and removes $work.
end_x_session() {
  local pid
  for pid in "$@" $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}

# Reports the failure with the tail of every log in $work and ends the test.
fail() {
  echo "FAIL: $*"
  local log
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
  done
  exit 1
}

# Runs the command every 0.2 s until it succeeds or the seconds run out.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# openbox has taken the display once the root window names its check window and that window
# exists and calls itself Openbox; polling on it copes with a machine slowed by other tests.
wm_ready() {
  local check
  check=$(timeout 5 xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -nE 's/.*# (0x[0-9a-f]+).*/\1/p')
  [ -n "$check" ] && timeout 5 xprop -id "$check" -notype _NET_WM_NAME 2>/dev/null | grep -q '"Openbox"'
}

# An X server on a free display, made $DISPLAY; its pid is added to xvfb_pid. The optional name
# keeps the files of several servers in one work folder apart.
start_display() {
  local work=$1 name=${2:-x}
  # -displayfd picks a free display number, so parallel tests never share one.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/$name.display" >"$work/$name-xvfb.log" 2>&1 &
  xvfb_pid="${xvfb_pid:-} $!"
  wait_until 30 test -s "$work/$name.display" || { echo "FAIL: Xvfb did not start"; return 1; }
  export DISPLAY=":$(head -n1 "$work/$name.display")"
}

# openbox is started again when it ends without taking the display: a server that another test
# has just ended can still answer on the display number ours was given, for a moment.
start_x_session() {
  local work=$1 attempt
  start_display "$work" || return 1
  for attempt in 1 2 3; do
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_until 60 eval 'wm_ready || exited $wm_pid' && running $wm_pid && return 0
    kill $wm_pid 2>/dev/null && wait $wm_pid 2>/dev/null
    sleep 1
  done
  echo "FAIL: openbox did not take the display $DISPLAY"
  return 1
}

# Window ids whose title is exactly $1, one a line (the title is taken verbatim, blanks and all).
windows_titled() {
  timeout 5 wmctrl -l 2>/dev/null | sed -nE 's/^(0x[0-9a-f]+) +-?[0-9]+ +[^ ]+ (.*)$/\1\t\2/p' |
    awk -F'\t' -v t="$1" '$2 == t { print $1 }'
}
has_window() { [ -n "$(windows_titled "$1")" ]; }
running() { kill -0 "$1" 2>/dev/null; }
exited() { ! running "$1"; }

# Sets X, Y, WIDTH and HEIGHT of the client area of the first window titled exactly $1. xwininfo
# gives its place on the screen; xdotool's getwindowgeometry adds the frame's edge to it once more.
geometry_of() {
  local id geometry
  id=$(windows_titled "$1" | head -n1)
  [ -n "$id" ] || return 1
  geometry=$(timeout 5 xwininfo -id "$id" | awk -F: '
    /Absolute upper-left X:/ { x = $2 + 0 } /Absolute upper-left Y:/ { y = $2 + 0 }
    /^ *Width:/ { w = $2 + 0 } /^ *Height:/ { h = $2 + 0 }
    END { if (h != "") printf "X=%d Y=%d WIDTH=%d HEIGHT=%d", x, y, w, h }')
  [ -n "$geometry" ] && eval "$geometry"
}

# Gives Marvane a fresh program directory, $program_dir, and a home and runtime folder of its own
# in $work, and makes the X display its platform.
prepare_program_dir() {
  program_dir="$work/data/marvane"
  mkdir -p "$program_dir" "$work/runtime" "$work/home"
  chmod 700 "$work/runtime"
  export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
}

# Writes a settings file "restore" in $program_dir, as Marvane writes one, that chooses the SSTV
# program of code $1 (item 75): the 74 texts before it are empty, the items after it absent.
choose_program() {
  { printf '""\r\n%.0s' $(seq 1 74); printf ' %s \r\n' "$1"; } >"$program_dir/restore"
}

# Starts the two windows of JVComm32 (stand-ins logging their keys to $work/TITLE.keys) and
# Marvane on a fresh program directory, chosen to send to them, and waits for all three; $halted
# is the process of the JVComm32 window, $standins both.
start_jvcomm32_and_marvane() {
  local title
  prepare_program_dir
  choose_program 8
  for title in Comm32 JVComm32; do
    "$standin" --window-title "$title" --log "$work/$title.keys" >"$work/$title.log" 2>&1 &
    standins="$standins $!"
  done
  halted=$!
  "$marvane" >"$work/marvane.log" 2>&1 &
  marvane_pid=$!
  wait_until 30 eval 'has_window "$caption" && has_window Comm32 && has_window JVComm32' || fail "the windows did not show"
}

# Clicks the main window's send button as an operator does, the window activated first.
click_send_button() {
  local id
  id=$(($(windows_titled "$caption" | head -n1)))
  geometry_of "$caption" || fail "cannot find where the main window is"
  timeout 5 xdotool windowactivate --sync "$id"
  # The button's middle in the client area, below the menu bar, whose height is the rest.
  timeout 5 xdotool mousemove --window "$id" 440 $((HEIGHT - central_h + 332)) click 1
}

# Waits for the process $1 (called $2) to end, which it must do with status 0; $3 may say after
# what the 30 s are counted.
ends_cleanly() {
  wait_until 30 exited "$1" || fail "$2 did not end within 30 s${3:+ $3}"
  wait "$1"
  local status=$?
  [ "$status" -eq 0 ] || fail "$2 ended with status $status"
}

# Presses the left button at ($1, $2) and moves it to ($3, $4) in $5 even steps, $6 seconds apart,
# as a hand drags; lets go $7 seconds after the last step.
drag_mouse() {
  local from_x=$1 from_y=$2 to_x=$3 to_y=$4 steps=$5 pause=$6 hold=$7 step
  timeout 5 xdotool mousemove "$from_x" "$from_y"
  sleep 0.3
  timeout 5 xdotool mousedown 1
  for ((step = 1; step <= steps; step++)); do
    timeout 5 xdotool mousemove $((from_x + (to_x - from_x) * step / steps)) \
      $((from_y + (to_y - from_y) * step / steps))
    sleep "$pause"
  done
  sleep "$hold"
  timeout 5 xdotool mouseup 1
}
