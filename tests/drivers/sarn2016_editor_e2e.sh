#!/usr/bin/env bash
# The underwater game's placement editor under Wine: a click on a pillar draws
# the four handles over it (magenta centre, red, green and blue axes); pressing
# the centre handle and dragging it with the mouse moves the pillar sideways.
#   sarn2016_editor_e2e.sh sarn2016_driver_scripted.exe output-dir
# Screenshots are kept in output-dir.
set -u
driver=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/play.sh"
title='^ZELL 7 Pellan & Ormadine$'

magenta="r>0.8 && g<0.3 && b>0.8"
count_where() { # name fx-condition: pixels where it holds
  convert "$out/$1.png" -fx "$2 ? 1 : 0" -format "%[fx:round(mean*w*h)]" info: 2>/dev/null
}
centre_of() { # name fx-condition: "x y" of the middle of the pixels where it holds
  convert "$out/$1.png" -fx "$2 ? 1 : 0" -trim \
    -format "%[fx:page.x+w/2] %[fx:page.y+h/2]" info: 2>/dev/null | sed 's/\.[0-9]*//g'
}
changed() { # a b geometry: pixels that differ in that part of the screen
  local n
  convert "$out/$1.png" -crop "$3" +repage "$out/$1-part.png"
  convert "$out/$2.png" -crop "$3" +repage "$out/$2-part.png"
  n=$(compare -metric AE -fuzz 10% "$out/$1-part.png" "$out/$2-part.png" null: 2>&1)
  echo "${n%%.*}"
}
click_at() { # x y (from the top left)
  focus
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
}

if start_game sarn2016 "$driver"; then
  sleep 4 # past the room's fade-in, the camera settled
  shot before
  [[ $(count_where before "$magenta") -lt 5 ]] || fail "handles before any click"

  click_at 625 380 # the pillar straight ahead, beyond the diver
  shot selected
  wait_for 5 grep -q '^Intersection' "$out/sarn2016.out" || fail "the click hit nothing"
  handles=$(count_where selected "$magenta")
  [[ ${handles:-0} -gt 30 ]] || fail "no centre handle drawn ($handles pixels)"
  for axis in "r>0.8 && g<0.3 && b<0.3" "g>0.8 && r<0.3 && b<0.3" "b>0.8 && r<0.3 && g<0.3"; do
    [[ $(count_where selected "$axis") -gt 3 ]] || fail "no axis handle where $axis"
  done

  read -r hx hy <<<"$(centre_of selected "$magenta")"
  focus
  xdotool mousemove --window "$wid" "$hx" "$hy"
  sleep 0.3
  xdotool mousedown 1
  for step in 1 2 3 4 5 6; do
    sleep 0.2
    xdotool mousemove --window "$wid" $((hx + 30 * step)) "$hy"
  done
  sleep 0.5
  xdotool mouseup 1
  sleep 0.5
  shot dragged
  read -r mx _ <<<"$(centre_of dragged "$magenta")"
  [[ ${mx:-0} -gt $((hx + 100)) ]] || fail "the handles did not follow the drag ($hx to $mx)"
  # Where the pillar stood, the wall behind it shows now.
  gone=$(changed selected dragged 30x250+610+330)
  [[ ${gone:-0} -gt 3000 ]] || fail "the pillar did not move ($gone pixels changed)"

  close_game sarn2016
  if grep -v '^[0-9.e-]*$' "$out/sarn2016.err" | grep -q .; then
    fail "lines on the error stream: $(head -n3 "$out/sarn2016.err")"
  fi
fi

echo "screenshots in $out"
exit $failed
