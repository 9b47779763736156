#!/bin/bash
# End to end on a real X display: a picture file dragged from another program onto the main picture
# while a send waits on a program that has stopped answering (JVComm32's window, its process
# halted) is refused, so nothing is loaded inside the send: the picture kept at exit is not it.
# Usage: drop_during_send.sh PATH_TO_MARVANE (SSTV_STANDIN, MARVANE_DRAG_SOURCE and
# MARVANE_SAME_PICTURE name the helper programs).
set -u
. "$(dirname "$0")/support/xsession.sh"
. "$(dirname "$0")/support/filedrag.sh"
prepare_file_drags "${1:?usage: $0 PATH_TO_MARVANE}"
standin=${SSTV_STANDIN:?SSTV_STANDIN names the stand-in program}

# The middle of the main picture in the main window's client area.
picture_x=354 picture_y=130

work=$(mktemp -d)
marvane_pid="" source_pid="" standins=""
trap 'kill -CONT $standins 2>/dev/null; end_x_session $source_pid $standins $marvane_pid' EXIT
start_x_session "$work" || fail "no X session"
start_jvcomm32_and_marvane
# The program's windows stand clear of the main picture, which the send leaves beneath them.
for title in Comm32 JVComm32; do timeout 5 xdotool windowmove "$(($(windows_titled "$title" | head -n1)))" 700 0; done

kill -STOP "$halted"
click_send_button
sleep 1
drop_file "$corpus/base.png" "$picture_x" "$picture_y" refused
echo "PASS: the file dropped during the send was refused"
kill -CONT "$halted"
sleep 1
close_marvane
kept="$program_dir/JustText21.bmp"
[ -f "$kept" ] || fail "no JustText21.bmp was written"
! "$same_picture" "$kept" "$corpus/base.ppm" 2>/dev/null || fail "the file dropped during the send was loaded"
echo "PASS: the main picture is not the dropped file"
echo "ALL PASSED"
