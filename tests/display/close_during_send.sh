#!/bin/bash
# End to end on a real X display: the operator closes Marvane from its frame while a send waits
# on a program that has stopped answering (JVComm32's window, its process halted). The send stops
# and Marvane ends at once, writing its settings as for any close; the halted program gets none of
# the keys that were still to come.
# Usage: close_during_send.sh PATH_TO_MARVANE (SSTV_STANDIN names the stand-in program).
set -u
. "$(dirname "$0")/support/xsession.sh"

start_send_test "$@"
trap 'kill -CONT $standins 2>/dev/null; end_x_session $standins $marvane_pid' EXIT

start_x_session "$work" || fail "no X session"
start_jvcomm32_and_marvane
id=$(($(windows_titled "$caption" | head -n1)))

# Halted, the program still holds the focus it is given, but answers nothing: each of the send's
# key strings waits on it.
kill -STOP "$halted"
click_send_button
wait_until 10 eval '[ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" != "$id" ]' ||
  fail "the send did not activate the program"
sleep 1
rm -f "$program_dir/restore"
start=$SECONDS
timeout 5 wmctrl -i -c "$id" || fail "wmctrl could not close the main window"
wait_until 5 exited "$marvane_pid" || fail "Marvane still runs 5 s after its window was closed during a send"
wait "$marvane_pid" || fail "Marvane ended with status $?"
marvane_pid=""
echo "PASS: closed during a send, Marvane ended after $((SECONDS - start)) s"
[ -f "$program_dir/restore" ] || fail "no \"restore\" was written"
echo "PASS: \"restore\" was written"
# Let go, the program reads what reached it: part of the first stage at most, none of the second.
kill -CONT "$halted"
sleep 1
read_keys=$(tr '\n' ' ' <"$work/JVComm32.keys" 2>/dev/null)
case "ctrl+m alt p shift+r Return " in
  "$read_keys"*) echo "PASS: the program read only \"$read_keys\"" ;;
  *) fail "the program read keys sent after the close: $read_keys" ;;
esac
echo "ALL PASSED"
