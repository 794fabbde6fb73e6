#!/usr/bin/env bash
# game_gl as a player meets it, under Wine on an X display, driven by xdotool
# and checked on screenshots:
#   1. the real program opens its 1280 x 720 window with the inventory, the
#      room and level "1"; F4 starts level 2; Escape pauses (F4 is ignored)
#      and resumes; closing the window ends it with exit code 0;
#   2. the scripted build (every random draw 0) has a known first level, the
#      locked door on the end spot and the key on spot 0: take the key, drag
#      it onto the door, open it, go through: level "2";
#   3. started where there is no data folder, it shows the message box and
#      ends with exit code 1 once the box is closed.
#   game_gl_e2e.sh game_gl.exe game_gl_scripted.exe output-dir
# Screenshots are kept in output-dir.
set -u
game=$1
scripted=$2
out=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
title='^ZELL 7 Pellan & Ormadine$'
source "$root/tests/e2e/play.sh"

echo "== the real program"
if start_game game "$game"; then
  check_first_screen first
  check_pause
  close_game game
fi

echo "== the scripted build plays its first level"
if start_game scripted "$scripted"; then
  wait_for 30 level_becomes start 1 || fail "scripted: no level 1 on screen"
  take_key
  finish_first_level
  close_game scripted
  check_generator_lines scripted
fi

echo "== no data folder"
check_no_data "$game"

echo "screenshots in $out"
exit $failed
