#!/usr/bin/env bash
# The dodge game's driver as a player meets it, under Wine on an X display,
# driven by xdotool and checked on screenshots: the title card shows over
# greyed grass; Space starts a run (green grass, the road, the truck, a car);
# the arrows move the truck; Escape pauses (the picture stands) and resumes;
# closing the window ends the program with exit code 0.
#   example_e2e.sh example_driver.exe output-dir
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

if start_game example "$driver"; then
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [[ $WIDTH == 1280 && $HEIGHT == 720 ]] || fail "the window is ${WIDTH}x$HEIGHT"
  sleep 2
  shot title
  title_card title || fail "no title card: $(pixel title 640 270)"
  ! green_grass title || fail "the title screen's grass is not greyed"

  # Easy mode: a touch costs a life and two greyed seconds, not the run.
  press F1
  sleep 1.5 # a toggle closes the keys' gate for a second
  press space
  # The first scheduled car comes down the left lane some 4 s into the run.
  wait_for 15 run_shows_play run || fail "no road, grass and car in play after Space"
  before=$(truck_x run)
  focus
  xdotool keydown Right
  sleep 0.5
  xdotool keyup Right
  moved_right() {
    shot right
    after=$(truck_x right)
    ((after > before + 50))
  }
  wait_for 5 moved_right || fail "Right did not move the truck ($before -> $after)"

  press Escape
  shot paused-1
  sleep 1
  shot paused-2
  same_picture paused-1 paused-2 || fail "the picture moved while paused"
  # Resumed, Space starts a new run (also after a game over, which freezes
  # the picture): the truck is back in the middle.
  press Escape
  press space
  sleep 0.5
  shot resumed
  ! same_picture paused-2 resumed || fail "the picture stands after the second Escape"
  close_game example
fi
echo "screenshots in $out"
exit $failed
