# Sourced by the end-to-end scripts: a game under Wine on an X display, driven
# by xdotool and checked on screenshots. Needs $root (the repository) and $out
# (where screenshots and console files go); $title is the game window's title
# as a regular expression (game_gl's unless set), $wid the window that shots
# and keys go to.
#
# Without a tool the script exits 77 (skipped), except on CI, where that fails.

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

mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.out "$out"/*.err "$out"/*.rc

source "$root/tests/support/display.sh"
runs=()
# A process and all it started: a game left running by a failed script would
# stay on the display, under its title, for its runner's 240 s.
end_tree() { # pid
  local child
  for child in $(pgrep -P "$1"); do
    end_tree "$child"
  done
  kill "$1" 2>/dev/null
}
finish() {
  for pid in "${runs[@]}"; do
    end_tree "$pid"
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

edition_title() { # game_gl|game_dx12: its window title as a regular expression
  case $1 in
    game_gl) echo '^ZELL 7 Pellan & Ormadine$' ;;
    game_dx12) echo '^DX12 Pellan$' ;;
  esac
}
title=$(edition_title game_gl)

window_named() {
  xdotool search --name "$1" 2>/dev/null | head -n1
}
has_window() {
  [[ -n $(window_named "$1") ]]
}

# ended_early name: the program ended before it showed what was waited for;
# says so with its exit code and error stream.
ended_early() {
  [[ -f $out/$1.rc ]] || return 1
  fail "$1: ended with exit code $(cat "$out/$1.rc") before its window opened"
  sed 's/^/    /' "$out/$1.err" | head -n 20
}
# window_or_end name regex: true once the window is there; gives up at once
# when the program has ended (a program that cannot start never opens one).
window_or_end() {
  local tries
  for tries in $(seq 300); do
    has_window "$2" && return 0
    ended_early "$1" && return 1
    sleep 0.2
  done
  fail "$1: no window within 60 s"
  return 1
}

# others_on_display [own window]: true, saying so, when other windows show on
# the display (another run sharing it): they cover the game's window, whose
# covered parts then come out black in shots, and may take its keys.
others_on_display() {
  local window names=
  for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [[ $window == "${1:-}" ]] || names+="'$(xdotool getwindowname "$window" 2>/dev/null)' "
  done
  [[ -n $names ]] || return 1
  fail "other windows on the display $DISPLAY: ${names}(shared with another run?)"
}

# start_game name exe [folder]: starts exe from folder (the repository unless
# given) and waits for its window, which must be alone on the display.
start_game() {
  others_on_display && return 1
  start "$1" "$2" "${3:-$root}"
  window_or_end "$1" "$title" || return 1
  wid=$(window_named "$title")
  [[ -n $wid ]] && ! others_on_display "$wid"
}

# The game's screen: x from the left, y from the bottom, like the game's own units.
# import waits for a click when the window is gone: a shot of a window that
# is no more ends the play-through, and import has a limit.
shot() {
  if ! xdotool getwindowname "$wid" >/dev/null 2>&1; then
    fail "shot $1: the game's window is gone"
    exit 1
  fi
  timeout 30 import -window "$wid" "$out/$1.png" 2>/dev/null && return
  echo "shot $1: import failed or took over 30 s"
  return 1
}
pixel() { # name x y
  convert "$out/$1.png" -format "%[pixel:p{$2,$((720 - $3))}]" info: 2>/dev/null
}
is_white() { [[ $(pixel "$@") == "srgb(255,255,255)" ]]; }
is_black() { [[ $(pixel "$@") == "srgb(0,0,0)" ]]; }
count_where() { # name fx-condition: pixels where it holds
  convert "$out/$1.png" -fx "$2 ? 1 : 0" -format "%[fx:round(mean*w*h)]" info: 2>/dev/null
}
same_picture() { # a b: not one pixel changed
  [[ $(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1) == 0 ]]
}
differs() { # a b: more than 2% of the pixels changed
  local changed
  changed=$(compare -metric AE -fuzz 3% "$out/$1.png" "$out/$2.png" null: 2>&1)
  [[ ${changed%%.*} -gt 18432 ]]
}

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
# Keys are sampled once a frame: hold each one for several frames (0.2 s
# unless given).
press() { # key [seconds]
  focus
  xdotool keydown "$1"
  sleep "${2:-0.2}"
  xdotool keyup "$1"
  sleep 0.3
}
# hold_until key seconds command...: holds the key down until the command
# succeeds, within the limit; a busy machine draws few frames to sample it in.
hold_until() {
  local key=$1 rc=0
  shift
  focus
  xdotool keydown "$key"
  wait_for "$@" || rc=1
  xdotool keyup "$key"
  return $rc
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
  wait_for 20 test -f "$out/$1.rc" || fail "$1: still running 20 s after Alt+F4"
  ended_with "$1" 0 || fail "$1: exit code $(cat "$out/$1.rc" 2>/dev/null), expected 0"
  [[ -z $(window_named "$title") ]] || fail "$1: the window is still there"
}

# The first screen of any level 1: a 1280 x 720 client area, the black panel
# with its 12 white slots, the room picture and the digit "1".
check_first_screen() { # name
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [[ $WIDTH == 1280 && $HEIGHT == 720 ]] || fail "$1: the window is ${WIDTH}x$HEIGHT"
  wait_for 30 level_becomes "$1" 1 || fail "$1: no level 1 on screen within 30 s"
  local slot x y
  for slot in $(seq 0 11); do
    x=$((80 + 120 * (slot % 2)))
    y=$((60 + 120 * (slot / 2)))
    is_white "$1" $x $y || fail "$1: slot $slot is $(pixel "$1" $x $y)"
    is_black "$1" $((x - 40)) $y || fail "$1: panel left of slot $slot is $(pixel "$1" $((x - 40)) $y)"
  done
  is_black "$1" 140 700 || fail "$1: the panel's top is $(pixel "$1" 140 700)"
  for point in "300 700" "1270 700" "1000 600" "400 100"; do
    # shellcheck disable=SC2086
    set -- "$1" $point
    ! is_black "$1" "$2" "$3" && ! is_white "$1" "$2" "$3" ||
      fail "$1: the room at $2, $3 is $(pixel "$1" "$2" "$3")"
  done
}

# F4 starts the next level, but not while Escape has paused the game; a
# second Escape resumes it. Expects level 1 on screen.
check_pause() {
  press F4
  wait_for 10 level_becomes f4 2 || fail "F4 did not start level 2 within 10 s"
  press Escape # pause
  press F4
  sleep 1
  press Escape # resume; F4 is up by now
  sleep 1
  level_becomes paused-f4 2 || fail "F4 while paused started a level"
  press F4
  wait_for 10 level_becomes resumed-f4 3 || fail "F4 after the pause did not start level 3 within 10 s"
}

# The scripted builds (every random draw 0) start with the locked door on the
# end spot and the key on spot 0.
take_key() {
  click 748 418 # the key on spot 0
  shot key-taken
  ! is_white key-taken 80 60 || fail "the key did not reach slot 0"
}
# With the key in slot 0: drag it onto the door, open the door, go through.
finish_first_level() {
  drag 80 60 548 398
  shot door-unlocked
  is_white door-unlocked 80 60 || fail "the key was not used up on the door"
  click 548 398 # closed door -> open door
  click 548 398 # through the open door
  wait_for 10 level_becomes finished 2 || fail "finishing level 1 did not show level 2 within 10 s"
}
# Once the scripted build has ended and its console is complete.
check_generator_lines() { # name
  grep -q '^Objet change en: closed_door' "$out/$1.out" || fail "$1: generator lines missing"
  grep -q '^Objet ajoute: key' "$out/$1.out" || fail "$1: the key was not added"
}

# Started where there is no data folder: the message box, then exit code 1
# once it is closed.
check_no_data() { # exe
  local empty=$out/no-data
  mkdir -p "$empty"
  rm -rf "${empty:?}"/*
  start nodata "$1" "$empty"
  window_or_end nodata '^An error occurred$' || return
  local box
  box=$(window_named '^An error occurred$')
  if [[ -n $box ]]; then
    wid=$box
    shot message-box
    focus
    xdotool key --window "$box" Return
    wait_for 20 test -f "$out/nodata.rc" || fail "still running 20 s after the message box was closed"
    ended_with nodata 1 || fail "exit code $(cat "$out/nodata.rc" 2>/dev/null), expected 1"
  fi
  grep -q '^Could not load object catalogue: data/Sarn2017/objects/objects.json' "$out/nodata.err" ||
    fail "no catalogue message on the error stream"
}
