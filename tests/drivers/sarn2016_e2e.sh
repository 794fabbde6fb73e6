#!/usr/bin/env bash
# The underwater game Sarn2016 as a player meets it, under Wine on an X
# display: the level loads from the repository's data; the first frame shows
# the room under water (blue water, a picture with depth, not one flat
# colour); Space and an arrow held swim and turn (the screen changes);
# seaweed shows; Escape pauses (the picture stands); closing the window ends
# the driver with exit code 0.
#   sarn2016_e2e.sh sarn2016_driver_scripted.exe output-dir
# Screenshots are kept in output-dir.
set -u
driver=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/play.sh"
title='^ZELL 7 Pellan & Ormadine$'

count_where() { # name fx-condition: pixels where it holds
  convert "$out/$1.png" -fx "$2 ? 1 : 0" -format "%[fx:round(mean*w*h)]" info: 2>/dev/null
}
differs() { # a b: more than 2% of the pixels changed
  local changed
  changed=$(compare -metric AE -fuzz 3% "$out/$1.png" "$out/$2.png" null: 2>&1)
  [[ ${changed%%.*} -gt 18432 ]]
}
colours() { # name: distinct colours after a light quantisation
  convert "$out/$1.png" -colors 64 -unique-colors -format "%w" info: 2>/dev/null
}
hold() { # seconds key...
  local seconds=$1
  shift
  focus
  for key in "$@"; do xdotool keydown "$key"; done
  sleep "$seconds"
  for key in "$@"; do xdotool keyup "$key"; done
  sleep 0.3
}

if start_game sarn2016 "$driver"; then
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [[ $WIDTH == 1280 && $HEIGHT == 720 ]] || fail "the window is ${WIDTH}x$HEIGHT"
  sleep 3 # past the room's fade-in
  shot room
  water=$(count_where room "b>r+0.08 && b>0.2")
  [[ ${water:-0} -gt 50000 ]] || fail "no blue water on screen ($water pixels)"
  [[ $(colours room) -gt 20 ]] || fail "the first frame is flat ($(colours room) colours)"

  hold 1.5 space Left
  shot swum
  differs room swum || fail "Space and Left did not move the scene"
  # Seaweed is drawn untinted, far greener than the grass of the floor and
  # walls, which the water tints (no pixel of those passes). The scripted
  # build places the same field every run, but how far the diver gets in the
  # held keys varies with the frame rate (a busy machine draws few frames):
  # swim on, a few times at most, until the weed comes into view.
  weed=0
  for view in room swum turn-1 turn-2 turn-3; do
    if [[ $view == turn-* ]]; then
      hold 1.5 space Left
      shot $view
    fi
    n=$(count_where $view "g>1.8*r && g>1.6*b && g>0.15")
    [[ ${n:-0} -gt $weed ]] && weed=$n
    [[ $weed -gt 500 ]] && break
  done
  [[ $weed -gt 500 ]] || fail "no seaweed on screen ($weed pixels)"

  press Escape
  shot paused-1
  sleep 1
  shot paused-2
  [[ $(compare -metric AE "$out/paused-1.png" "$out/paused-2.png" null: 2>&1) == 0 ]] ||
    fail "the picture moved while paused"
  press Escape

  close_game sarn2016
  if grep -v '^[0-9.e-]*$' "$out/sarn2016.err" | grep -q .; then
    fail "lines on the error stream: $(head -n3 "$out/sarn2016.err")"
  fi
fi

echo "screenshots in $out"
exit $failed
