# Shared by the display tests that drag a file from the drag source tool onto the main window.
# Source it after xsession.sh.

# Sets X, Y, WIDTH and HEIGHT of the first window titled exactly $1.
geometry_of() {
  local id
  id=$(windows_titled "$1" | head -n1)
  [ -n "$id" ] && eval "$(timeout 5 xdotool getwindowgeometry --shell "$((id))")"
}

# Drags from the middle of the window titled $1 to the screen point ($2, $3) in small steps, as a
# hand would, and lets go there.
drag_to() {
  local from_x from_y step
  geometry_of "$1" || return 1
  from_x=$((X + WIDTH / 2)) from_y=$((Y + HEIGHT / 2))
  timeout 5 xdotool mousemove "$from_x" "$from_y"
  sleep 0.3
  timeout 5 xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8 9 10; do
    timeout 5 xdotool mousemove $((from_x + ($2 - from_x) * step / 10)) $((from_y + ($3 - from_y) * step / 10))
    sleep 0.15
  done
  timeout 5 xdotool mousemove "$2" "$3"
  sleep 0.5
  timeout 5 xdotool mouseup 1
}
