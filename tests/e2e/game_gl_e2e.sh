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
# Screenshots are kept in output-dir. Exit 77 (skipped) when a tool is missing,
# except on CI, where that fails.
set -u
game=$1
scripted=$2
out=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.out "$out"/*.err "$out"/*.rc

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

for tool in Xvfb xdotool import compare convert wine; do
  if ! command -v "$tool" >/dev/null; then
    if [[ ${CI:-} == true ]]; then
      echo "FAIL: $tool is missing"
      exit 1
    fi
    echo "SKIP: $tool is missing"
    exit 77
  fi
done

source "$root/tests/support/display.sh"
runs=()
finish() {
  for pid in "${runs[@]}"; do
    kill "$pid" 2>/dev/null
  done
  end_private_display
}
trap finish EXIT
use_private_display_if_none

# start name exe folder: runs exe from folder, console into $out/name.out/.err,
# exit code into $out/name.rc when it ends.
start() {
  (
    cd "$3" && "$root/scripts/wine-run" --timeout 240 "$2" >"$out/$1.out" 2>"$out/$1.err"
    echo $? >"$out/$1.rc"
  ) &
  runs+=($!)
}

# wait_for seconds command...: true once the command succeeds.
wait_for() {
  local tries=$(($1 * 5))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

window_named() {
  xdotool search --name "$1" 2>/dev/null | head -n1
}
has_window() {
  [[ -n $(window_named "$1") ]]
}

# The game's screen: x from the left, y from the bottom, like the game's own units.
shot() {
  import -window "$wid" "$out/$1.png" 2>/dev/null
}
pixel() { # name x y
  convert "$out/$1.png" -format "%[pixel:p{$2,$((720 - $3))}]" info: 2>/dev/null
}
is_white() { [[ $(pixel "$@") == "srgb(255,255,255)" ]]; }
is_black() { [[ $(pixel "$@") == "srgb(0,0,0)" ]]; }

# The level number: digit images over the room picture, at 1:1 scale.
shows_level() { # name n (one digit)
  local expected=$out/digit-$2.png
  convert "$root/data/Sarn2017/room.png" -crop 40x40+960+680 +repage \
    "$root/data/Sarn2017/$2.png" -composite "$expected"
  convert "$out/$1.png" -crop 40x40+1240+680 +repage "$out/$1-digit.png"
  local differ
  differ=$(compare -metric AE -fuzz 6% "$out/$1-digit.png" "$expected" null: 2>&1)
  [[ ${differ%%.*} -le 16 ]]
}
level_becomes() { # name n
  shot "$1" && shows_level "$1" "$2"
}

focus() {
  xdotool windowfocus "$wid" 2>/dev/null
  sleep 0.2
}
# Keys are sampled once a frame: hold each one for several frames.
press() {
  focus
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep 0.3
}
move() {
  xdotool mousemove --window "$wid" "$1" $((720 - $2))
  sleep 0.15
}
click() {
  move "$1" "$2"
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.3
}
drag() {
  move "$1" "$2"
  xdotool mousedown 1
  sleep 0.15
  move $((($1 + $3) / 2)) $((($2 + $4) / 2))
  move "$3" "$4"
  xdotool mouseup 1
  sleep 0.3
}
ended_with() { # name code
  [[ -f $out/$1.rc && $(cat "$out/$1.rc") == "$2" ]]
}
close_game() { # name
  focus
  xdotool key alt+F4
  wait_for 20 test -f "$out/$1.rc" || fail "$1: still running after closing its window"
  ended_with "$1" 0 || fail "$1: exit code $(cat "$out/$1.rc" 2>/dev/null), expected 0"
}

echo "== the real program"
start game "$game" "$root"
wait_for 60 has_window '^ZELL 7 Pellan & Ormadine$' || fail "no game window"
wid=$(window_named '^ZELL 7 Pellan & Ormadine$')
if [[ -n $wid ]]; then
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [[ $WIDTH == 1280 && $HEIGHT == 720 ]] || fail "window is ${WIDTH}x$HEIGHT"
  wait_for 30 level_becomes first 1 || fail "no level 1 on screen"
  for slot in $(seq 0 11); do
    x=$((80 + 120 * (slot % 2)))
    y=$((60 + 120 * (slot / 2)))
    is_white first $x $y || fail "slot $slot is $(pixel first $x $y)"
    is_black first $((x - 40)) $y || fail "panel left of slot $slot is $(pixel first $((x - 40)) $y)"
  done
  is_black first 140 700 || fail "the panel's top is $(pixel first 140 700)"
  for point in "300 700" "1270 700" "1000 600" "400 100"; do
    # shellcheck disable=SC2086
    set -- $point
    ! is_black first "$1" "$2" && ! is_white first "$1" "$2" ||
      fail "the room at $1, $2 is $(pixel first "$1" "$2")"
  done

  press F4
  wait_for 10 level_becomes f4 2 || fail "F4 did not start level 2"

  press Escape # pause
  press F4
  sleep 1
  press Escape # resume; F4 is up by now
  sleep 1
  level_becomes paused-f4 2 || fail "F4 while paused started a level"
  press F4
  wait_for 10 level_becomes resumed-f4 3 || fail "F4 after the pause did not start level 3"

  close_game game
  [[ -z $(window_named '^ZELL 7 Pellan & Ormadine$') ]] || fail "the window is still there"
fi

echo "== the scripted build plays its first level"
start scripted "$scripted" "$root"
wait_for 60 has_window '^ZELL 7 Pellan & Ormadine$' || fail "no scripted window"
wid=$(window_named '^ZELL 7 Pellan & Ormadine$')
if [[ -n $wid ]]; then
  wait_for 30 level_becomes start 1 || fail "scripted: no level 1 on screen"
  click 748 418 # the key on spot 0
  shot key-taken
  ! is_white key-taken 80 60 || fail "the key did not reach slot 0"
  drag 80 60 548 398 # onto the locked door on the end spot
  shot door-unlocked
  is_white door-unlocked 80 60 || fail "the key was not used up on the door"
  click 548 398 # closed door -> open door
  click 548 398 # through the open door
  wait_for 10 level_becomes finished 2 || fail "finishing level 1 did not show level 2"
  close_game scripted
  grep -q '^Objet change en: closed_door' "$out/scripted.out" ||
    fail "scripted: generator lines missing"
  grep -q '^Objet ajoute: key' "$out/scripted.out" || fail "scripted: the key was not added"
fi

echo "== no data folder"
empty=$out/no-data
mkdir -p "$empty"
rm -rf "${empty:?}"/*
start nodata "$game" "$empty"
wait_for 60 has_window '^An error occurred$' || fail "no message box"
box=$(window_named '^An error occurred$')
if [[ -n $box ]]; then
  wid=$box
  shot message-box
  focus
  xdotool key --window "$box" Return
  wait_for 20 test -f "$out/nodata.rc" || fail "still running after the message box"
  ended_with nodata 1 || fail "exit code $(cat "$out/nodata.rc" 2>/dev/null), expected 1"
fi
grep -q '^Could not load object catalogue: data/Sarn2017/objects/objects.json' "$out/nodata.err" ||
  fail "no catalogue message on the error stream"

echo "screenshots in $out"
exit $failed
