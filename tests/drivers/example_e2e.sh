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
title='^ZELL 7 Pellan & Ormadine$'

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
  share=$(convert "$out/$1.png" -crop 110x720+365+0 +repage -colorspace HSL -channel G -separate \
    -threshold 50% -format "%[fx:mean]" info: 2>/dev/null)
  awk -v s="$share" 'BEGIN { exit !(s > 0.01) }'
}
# x of the light pixels in the truck's rows, the road's painted lines left out.
truck_x() { # name
  convert "$out/$1.png" -crop 1280x90+0+340 +repage -colorspace gray -threshold 60% \
    -scale 1280x1! txt:- 2>/dev/null | awk -F'[,:() ]+' '
    NR > 1 { x = $1; v = $3
      if (x < 365 || x > 915 || (x > 525 && x < 550) || (x > 730 && x < 755)) next
      sum += x * v; weight += v }
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

  press space
  # The first scheduled car comes down the left lane some 4 s into the run.
  wait_for 15 run_shows_play run || fail "no road, grass and car in play after Space"
  before=$(truck_x run)
  focus
  xdotool keydown Right
  sleep 0.5
  xdotool keyup Right
  shot right
  after=$(truck_x right)
  ((after > before + 50)) || fail "Right did not move the truck ($before -> $after)"

  press Escape
  shot paused-1
  sleep 1
  shot paused-2
  [[ $(compare -metric AE "$out/paused-1.png" "$out/paused-2.png" null: 2>&1) == 0 ]] ||
    fail "the picture moved while paused"
  press Escape
  sleep 0.5
  shot resumed
  [[ $(compare -metric AE "$out/paused-2.png" "$out/resumed.png" null: 2>&1) != 0 ]] ||
    fail "the picture stands after the second Escape"
  close_game example
fi
echo "screenshots in $out"
exit $failed
