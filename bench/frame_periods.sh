#!/usr/bin/env bash
# Frame timing of the real games under Wine on an X display: game_gl over
# OpenGL (llvmpipe), game_dx12 over Direct3D 12 (vkd3d on lavapipe). For each
# program given: the time from starting it to its first presented frame, and
# the periods between presented frames over 10 s running and 10 s paused.
# Frames are read from Wine's own trace of wglSwapBuffers or of the swap
# chain's Present (millisecond time stamps), so the programs are measured as
# shipped. game_gl swaps buffers while paused; game_dx12 presents nothing then.
#   frame_periods.sh path/to/game_gl.exe path/to/game_dx12.exe   (DISPLAY must be set)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
source "$root/scripts/frame-trace.sh"

# peak_memory exe: the highest resident size of the running program so far:
# the Wine process whose command line names it (not the scripts that start it,
# nor the exit code keeper that scripts/wine-run starts it through).
peak_memory() {
  local pid kib=0
  for pid in $(pgrep -f "$(basename "$1")"); do
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == */wine* ]] || continue
    grep -q exit-code-keeper "/proc/$pid/cmdline" 2>/dev/null && continue
    kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    break
  done
  awk -v k="${kib:-0}" 'BEGIN { if (k > 0) printf "%.0f MB\n", k / 1024; else print "unknown" }'
}

# Wine's trace stamps are the raw monotonic clock in seconds.
uptime() {
  perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC_RAW -e 'printf "%.3f", clock_gettime(CLOCK_MONOTONIC_RAW)' 2>/dev/null ||
    python3 -c 'import time; print("%.3f" % time.clock_gettime(time.CLOCK_MONOTONIC_RAW))'
}

# periods from to label: the distribution of frame-to-frame times in [from, to].
periods() {
  awk -v from="$1" -v to="$2" '$1 >= from && $1 <= to { if (n++) print ($1 - p) * 1000; p = $1 }' \
    <<<"$frames" | sort -n | awk -v label="$3" '
    { v[++m] = $1; s += $1 }
    END {
      if (m < 2) { print label ": fewer than 3 frames presented"; exit }
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

# measure exe: one program from start to close.
measure() {
  local exe=$1 title frame_debug frame_line
  case $(basename "$exe") in
    game_gl* | example_driver* | sarn2016_driver*) title='^ZELL 7 Pellan & Ormadine$' ;;
    game_dx12*) title='^DX12 Pellan$' ;;
    *) echo "$exe: not a game" >&2; return 1 ;;
  esac
  frame_trace "$exe"
  echo "-- $(basename "$exe" .exe)"
  local trace
  trace=$(mktemp)
  launched=$(uptime)
  (cd "$root" && WINEDEBUG=$frame_debug,+timestamp scripts/wine-run --timeout 180 "$exe" >/dev/null 2>"$trace") &
  pid=$!
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name "$title" 2>/dev/null | head -n1)
    [[ -n $window ]] && break
    sleep 0.1
  done
  [[ -n $window ]] || { echo "no game window" >&2; rm -f "$trace"; return 1; }
  # The periods are taken once it draws: the Direct3D 12 edition on a busy
  # machine can take most of a minute to its first frame.
  for _ in $(seq 600); do
    grep -q "$frame_line" "$trace" && break
    sleep 0.2
  done
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
  peak=$(peak_memory "$exe")
  xdotool windowfocus "$window" key alt+F4
  wait "$pid"

  frames=$(grep "$frame_line" "$trace" | cut -d: -f1)
  rm -f "$trace"
  first=$(head -n1 <<<"$frames")
  awk -v a="$launched" -v b="$first" 'BEGIN {
    if (b == "") print "start to first frame: none within 120 s"
    else printf "start to first frame: %.0f ms\n", (b - a) * 1000 }'
  echo "peak memory (resident): $peak"

  periods "$running_from" "$running_to" "running"
  periods "$paused_from" "$paused_to" "paused"
}

status=0
for exe in "$@"; do
  measure "$exe" || status=1
done
exit $status
