#!/usr/bin/env bash
# Frame timing of the real game_gl under Wine (llvmpipe on an X display): the
# time from starting the program to its first buffer swap, and the periods
# between swaps over 10 s running and 10 s paused. Swaps are read from Wine's
# own trace of wglSwapBuffers (millisecond time stamps), so the program is
# measured as shipped.
#   frame_periods.sh path/to/game_gl.exe      (DISPLAY must be set)
set -u
exe=$1
root=$(cd "$(dirname "$0")/.." && pwd)
trace=$(mktemp)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}

# Wine's trace stamps are the raw monotonic clock in seconds.
uptime() {
  perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC_RAW -e 'printf "%.3f", clock_gettime(CLOCK_MONOTONIC_RAW)' 2>/dev/null ||
    python3 -c 'import time; print("%.3f" % time.clock_gettime(time.CLOCK_MONOTONIC_RAW))'
}

launched=$(uptime)
(cd "$root" && WINEDEBUG=+timestamp,+wgl timeout 60 wine "$exe" >/dev/null 2>"$trace") &
pid=$!
window=
for _ in $(seq 300); do
  window=$(xdotool search --name '^ZELL 7 Pellan & Ormadine$' 2>/dev/null | head -n1)
  [[ -n $window ]] && break
  sleep 0.1
done
[[ -n $window ]] || { echo "no game window" >&2; exit 1; }
sleep 1
running_from=$(uptime)
sleep 10
running_to=$(uptime)
xdotool windowfocus "$window" key Escape
sleep 0.5
paused_from=$(uptime)
sleep 10
paused_to=$(uptime)
xdotool windowfocus "$window" key Escape
sleep 0.5
xdotool windowfocus "$window" key alt+F4
wait "$pid"

swaps=$(grep ':trace:wgl:.*wglSwapBuffers' "$trace" | cut -d: -f1)
rm -f "$trace"
first=$(head -n1 <<<"$swaps")
awk -v a="$launched" -v b="$first" \
  'BEGIN { printf "start to first frame: %.0f ms\n", (b - a) * 1000 }'

# periods from to label: the distribution of swap-to-swap times in [from, to].
periods() {
  awk -v from="$1" -v to="$2" '$1 >= from && $1 <= to { if (n++) print ($1 - p) * 1000; p = $1 }' \
    <<<"$swaps" | sort -n | awk -v label="$3" '
    { v[++m] = $1; s += $1 }
    END {
      if (m < 2) { print label ": too few swaps"; exit }
      printf "%s: %d frames, mean %.1f ms (%.1f fps), min %.0f, p10 %.0f, median %.0f, p90 %.0f, max %.0f ms\n",
        label, m, s / m, 1000 * m / s, v[1], v[int(m * 0.1) + 1], v[int(m * 0.5) + 1],
        v[int(m * 0.9) + 1], v[m]
      split("0 10 12 13 14 15 16 20 30", edge, " ")
      line = "  share of periods (ms):"
      for (k = 1; k <= 9; k++) {
        lo = edge[k]; hi = (k < 9) ? edge[k + 1] : 1e9; c = 0
        for (i = 1; i <= m; i++) if (v[i] >= lo && v[i] < hi) c++
        line = line sprintf(" %s%s %.0f%%", lo, (k < 9) ? "-" hi : "+", 100 * c / m)
      }
      print line
    }'
}
periods "$running_from" "$running_to" "running"
periods "$paused_from" "$paused_to" "paused"
