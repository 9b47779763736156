#!/bin/bash
# End to end on a real X display: JVComm32 ends between the two key stages of a send, killed or
# by its own exit, also as a program under Wine. Marvane says "Check Setup" in front, with the
# focus, within a few seconds; Return answers the box and the window still closes as usual.
# Usage: killed_during_send.sh PATH_TO_MARVANE (SSTV_STANDIN names the stand-in program).
set -u
. "$(dirname "$0")/support/xsession.sh"

start_send_test "$@"
trap 'end_x_session $standins $marvane_pid' EXIT
first_stage="ctrl+m,alt,p,shift+r,Return"

start_x_session "$work" || fail "no X session"
prepare_program_dir

# Case: how the program ends once it has read its first stage, and what else it is started with.
#   kill      SIGKILL as soon as its log shows the first stage
#   kill-late SIGKILL half a second later, while Marvane waits for a copied picture
#   exit      it ends itself on the first stage's last key
run_case() {
  local how=$1
  shift
  choose_program 8  # JVComm32
  rm -f "$work"/*.keys
  "$standin" --window-title Comm32 --log "$work/Comm32.keys" >"$work/Comm32.log" 2>&1 &
  standins="$standins $!"
  local extra=()
  [ "$how" = exit ] && extra=(--exit-on "$first_stage")
  "$standin" --window-title JVComm32 --log "$work/JVComm32.keys" "${extra[@]}" "$@" >"$work/JVComm32.log" 2>&1 &
  local program=$!
  standins="$standins $program"
  "$marvane" >"$work/marvane.log" 2>&1 &
  marvane_pid=$!
  wait_until 30 eval 'has_window "$caption" && has_window Comm32 && has_window JVComm32' || fail "the windows did not show"
  local id
  id=$(($(windows_titled "$caption" | head -n1)))

  click_send_button
  wait_until 10 grep -q Return "$work/JVComm32.keys" || fail "$how: the program got no first stage"
  case $how in
    kill) kill -KILL "$program" ;;
    kill-late) sleep 0.5 && kill -KILL "$program" ;;
  esac
  wait_until 5 exited "$program" || fail "$how: the program still runs"
  wait_until 5 has_window "Check Setup" || fail "$how: no \"Check Setup\" box within 5 s of the program's end"
  local box
  box=$(($(windows_titled "Check Setup" | head -n1)))
  sleep 0.5  # where it settles, not where it flashes up
  wait_until 3 eval '[ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" = "$box" ]' ||
    fail "$how: the \"Check Setup\" box is not the active window"
  [ "$(timeout 5 xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.* //')" = "$(printf '0x%x' "$box")" ] ||
    fail "$how: the \"Check Setup\" box is not in front"
  echo "PASS: $how $*: \"Check Setup\" shown in front with the focus"

  timeout 5 xdotool key Return
  wait_until 5 eval '! has_window "Check Setup"' || fail "$how: Return did not answer the box"
  timeout 5 wmctrl -i -c "$id" || fail "wmctrl could not close the main window"
  ends_cleanly "$marvane_pid" Marvane "after the box was answered"
  marvane_pid=""
  kill $standins 2>/dev/null
  wait $standins 2>/dev/null
  standins=""
}

run_case kill
run_case kill-late
run_case exit
# A program under Wine (its window class names an ".exe") takes our clipboard in late.
run_case kill -name jvcomm32.exe --take-in-after 200
echo "ALL PASSED"
