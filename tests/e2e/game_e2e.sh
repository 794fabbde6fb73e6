#!/usr/bin/env bash
# An edition of the game (game_gl or game_dx12) as a player meets it, under
# Wine on an X display, driven by xdotool and checked on screenshots:
#   1. the real program opens its window with a 1280 x 720 client area, the
#      inventory, the room and level "1"; F4 starts level 2; Escape pauses (F4
#      is ignored) and resumes; closed while paused, it ends with exit code 0;
#   2. the scripted build (every random draw 0) has a known first level, the
#      locked door on the end spot and the key on spot 0. While paused a click
#      still reaches the window, which prints it, but takes nothing: the loop
#      keeps running without drawing. After Escape: take the key, drag it onto
#      the door, open it, go through: level "2";
#   3. started where there is no data folder, it shows the message box and
#      ends with exit code 1 once the box is closed.
#   game_e2e.sh game_gl|game_dx12 game.exe game_scripted.exe output-dir
# Screenshots are kept in output-dir.
set -u
edition=$1
game=$2
scripted=$3
out=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/play.sh"
title=$(edition_title "$edition")

echo "== the real program"
if start_game game "$game"; then
  check_first_screen first
  check_pause
  press Escape # paused: the loop still takes the close message
  close_game game
fi

echo "== the scripted build, paused and resumed, plays its first level"
if start_game scripted "$scripted"; then
  wait_for 30 level_becomes start 1 || fail "scripted: no level 1 on screen within 30 s"
  press Escape
  click 748 418 # the key on spot 0, while paused
  wait_for 10 grep -q '^748 419' "$out/scripted.out" ||
    fail "the click while paused did not reach the window within 10 s"
  sleep 2
  shot paused-click
  is_white paused-click 80 60 || fail "a click while paused took the key"
  press Escape
  take_key
  finish_first_level
  close_game scripted
  check_generator_lines scripted
fi

echo "== no data folder"
check_no_data "$game"

echo "screenshots in $out"
exit $failed
