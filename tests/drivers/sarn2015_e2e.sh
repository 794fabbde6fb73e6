#!/usr/bin/env bash
# The orbit prototype Sarn2015 as a player meets it, under Wine on an X
# display: every file loads; the disc of grass shows with its trees; Space
# then an arrow turns the view (the screen changes); F2 switches the
# projection (it changes again); closing the window ends the driver with exit
# code 0.
#   sarn2015_e2e.sh sarn2015_driver.exe output-dir
# Screenshots are kept in output-dir.
set -u
driver=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/play.sh"

hold() { # key seconds
  focus
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.5
}

if start_game sarn2015 "$driver"; then
  sleep 3
  shot disc
  # Grass is yellow-green (red above blue), the pines blue-green.
  ground=$(count_where disc "g>r && g>b+0.15 && r>b+0.05")
  trees=$(count_where disc "g>r+0.12 && g>b+0.12 && b>r")
  [[ ${ground:-0} -gt 40000 ]] || fail "no disc of ground on screen ($ground pixels)"
  [[ ${trees:-0} -gt 2000 ]] || fail "no trees on screen ($trees pixels)"

  press space
  hold Down 1.2
  shot orbit
  differs disc orbit || fail "Space then Down did not turn the view"

  press F2
  sleep 1
  shot orthographic
  differs orbit orthographic || fail "F2 did not switch the projection"

  close_game sarn2015
  if grep -q . "$out/sarn2015.err"; then
    fail "lines on the error stream: $(head -n3 "$out/sarn2015.err")"
  fi
fi

echo "screenshots in $out"
exit $failed
