#!/bin/bash
# The send and the import, end to end on a real X display with openbox: every program row
# against the stand-in programs (the link test LINK_E2E_TEST drives the main window's handlers),
# then the send button of the running program clicked like an operator does.
# Usage: link_e2e.sh PATH_TO_MARVANE (SSTV_STANDIN and LINK_E2E_TEST name the helper programs).
set -u
. "$(dirname "$0")/support/xsession.sh"

marvane=${1:?usage: $0 PATH_TO_MARVANE}
test_binary=${LINK_E2E_TEST:?LINK_E2E_TEST names the link test binary}
standin=${SSTV_STANDIN:?SSTV_STANDIN names the stand-in program}
need_tools Xvfb openbox wmctrl xclip xprop xdotool xwininfo

work=$(mktemp -d)
marvane_pid="" standin_pid=""
trap 'end_x_session $standin_pid $marvane_pid' EXIT

start_x_session "$work" || fail "no X session"
QT_QPA_PLATFORM=xcb "$test_binary" || fail "the link failed end to end"

# ---- The running program, W95SSTV chosen in its settings (item 75): a click on the send button
prepare_program_dir
choose_program 6

"$standin" --window-title "W95SSTV - C" --log "$work/standin.log" --paste-on ctrl+m,ctrl+v \
  --paste-to "$work/pasted.png" >"$work/standin-out.log" 2>&1 &
standin_pid=$!
"$marvane" >"$work/marvane.log" 2>&1 &
marvane_pid=$!
wait_until 30 eval 'has_window "$caption" && has_window "W95SSTV - C"' || fail "the windows did not show"
click_send_button
wait_until 10 test -s "$work/pasted.png" || fail "the stand-in got no picture from the send button"
[ "$(tr '\n' ' ' <"$work/standin.log")" = "ctrl+m ctrl+v " ] || fail "the stand-in got other keys: $(cat "$work/standin.log")"
echo "PASS: the send button sent the main picture to W95SSTV"
echo "ALL PASSED"
