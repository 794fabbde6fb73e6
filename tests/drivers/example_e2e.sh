#!/usr/bin/env bash
# The dodge game's driver as a player meets it, under Wine on an X display,
# driven by xdotool and checked on screenshots: the title card shows over
# greyed grass; Space starts a run (green grass, the road, the truck, a car);
# Right moves the truck; Escape pauses (the picture stands) and resumes;
# Space starts a new run with the truck back in the middle; closing the
# window ends the program with exit code 0.
#   example_e2e.sh example_driver.exe output-dir
#
# The driver runs from a folder whose data is the repository's but for the
# traffic: cars in the left lane only, out of the bar's reach wherever the
# steps put the truck (x 0 to 9). The shipped schedule sends cars across the
# truck's path, and which of them meets the bar during a step depends on the
# machine's speed; a touch greys the screen, and the truck cannot be found.
set -u
driver=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/play.sh"

rgb() { # name x y (y from the bottom): "r g b"
  pixel "$@" | tr -dc '0-9,' | tr ',' ' '
}
green_grass() { # name: the grass left of the road in full colour
  local r g b
  read -r r g b <<<"$(rgb "$1" 100 360)"
  ((g > r + 40 && g > b + 40))
}
title_card() { # name: the card's dark inside, where the road would be
  [[ $(pixel "$1" 640 270) == "srgb(24,24,24)" ]]
}
# Share of strongly coloured pixels in the left lane, far from the truck's bar.
car_in_left_lane() { # name
  local share
  share=$(convert "$out/$1.png" -crop 110x720+365+0 +repage -colorspace HSL -channel G -separate +channel \
    -threshold 50% -format "%[fx:mean]" info: 2>/dev/null)
  awk -v s="$share" 'BEGIN { exit !(s > 0.01) }'
}
# x of the truck's body: light grey with a blue tint, which neither the
# road's paint, the bar nor the cars have.
truck_x() { # name
  convert "$out/$1.png" -crop 1280x90+0+340 +repage -fx "(b - r > 0.02 && r > 0.7) ? 1 : 0" \
    -colorspace gray -scale 1280x1! txt:- 2>/dev/null | awk -F'[,:() ]+' '
    NR > 1 { sum += $1 * $3; weight += $3 }
    END { if (weight > 0) printf "%d\n", sum / weight; else print -1 }'
}
run_shows_play() { # name
  shot "$1" && green_grass "$1" && ! title_card "$1" && car_in_left_lane "$1"
}

# A car every 1.5 s of the run for 15 minutes, one every 3 s on the title.
# Without them the game would still send the pattern's cars: a field that
# could not be made stops the test.
setup_failed() {
  echo "FAIL: the driver's field: $*"
  exit 1
}
field=$out/field
rm -rf "$field"
if ! { mkdir -p "$field/data" && ln -s "$root"/data/* "$field/data/" && rm "$field/data/cars.json"; }; then
  setup_failed "could not make $field/data"
fi
cars=$(
  set -o pipefail
  seq 0 599 | awk '{ printf "%s{ \"x\": -10, \"speed\": 7, \"time\": %g }\n", (NR > 1 ? "," : ""), 0.5 + 1.5 * $1 }'
) || setup_failed "the schedule's cars could not be written"
printf '{ "patterns": [[{ "x": -10, "speed": 7, "time": 0 }]], "cars": [\n%s\n]}\n' "$cars" \
  >"$field/data/cars.json" || setup_failed "could not write $field/data/cars.json"
[[ $(grep -c '"time": ' "$field/data/cars.json") -eq 601 ]] ||
  setup_failed "$field/data/cars.json does not hold the pattern's car and the schedule's 600"

title_shows() {
  shot title && title_card title
}

if start_game example "$driver" "$field"; then
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [[ $WIDTH == 1280 && $HEIGHT == 720 ]] || fail "the window is ${WIDTH}x$HEIGHT"
  wait_for 20 title_shows || fail "no title card: $(pixel title 640 270)"
  ! green_grass title || fail "the title screen's grass is not greyed"

  sleep 1.5 # the keys' gate opens a second into the title
  press space 0.6
  # Green once the run's two greyed seconds are over.
  wait_for 20 run_shows_play run || fail "no road, grass and car in play after Space"
  before=$(truck_x run)
  ((before >= 0)) || fail "no truck in play"
  moved_right() {
    shot right
    after=$(truck_x right)
    ((after > before + 50))
  }
  hold_until Right 20 moved_right || fail "Right held for 20 s did not move the truck ($before -> $after)"

  press Escape
  stands() {
    shot paused-1
    sleep 1
    shot paused-2
    same_picture paused-1 paused-2
  }
  wait_for 10 stands || fail "the picture moved while paused"
  # Resumed, Space starts a new run: the truck is back where it started,
  # seen once the run's greyed seconds are over.
  press Escape
  press space 0.6
  back_in_middle() {
    shot resumed
    back=$(truck_x resumed)
    ((back >= before - 5 && back <= before + 5))
  }
  wait_for 20 back_in_middle || fail "the truck is not back after the second Escape and Space ($before -> $back)"
  close_game example
fi
echo "screenshots in $out"
exit $failed
