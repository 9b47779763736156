# Shared by the display tests: a private X display with openbox, and polling helpers.
# Source it, then call start_x_session "$work"; it exports DISPLAY and sets xvfb_pid and wm_pid.
# The sourcing script owns the folder $work and ends with end_x_session from its EXIT trap.

xvfb_pid="" wm_pid=""

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
