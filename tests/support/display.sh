# Sourced by the test scripts that drive Windows programs on an X display.
# Without DISPLAY they get a private Xvfb, ended with every Wine process of the
# prefix when the script exits. Needs $root (the repository).

xvfb_pid=
end_private_display() {
  if [[ -n $xvfb_pid ]]; then
    # No Wine process may outlive this display; other runs hold the prefix's
    # lock while they use it, so take it before ending the Wine server.
    export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
    (
      flock 9
      wineserver -k 2>/dev/null
    ) 9>"$WINEPREFIX.lock"
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
}

use_private_display_if_none() {
  [[ -n ${DISPLAY:-} ]] && return
  use_private_display
}

# A private Xvfb in any case, with extra Xvfb arguments if given (such as
# "-extension GLX" for a display without OpenGL).
use_private_display() {
  start_xvfb "$@" || exit 1
}

# start_xvfb [Xvfb arguments...]: a new Xvfb on a free display, its PID in
# xvfb_pid and DISPLAY exported, once it has said which display it took (a
# busy machine can take seconds); fails, saying so, when it has not within
# 60 s. Also used by ./x and scripts/wine-run.
start_xvfb() {
  local fdfile number
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp "$@" 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 1200); do
    if [[ -s $fdfile ]] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      break
    fi
    sleep 0.05
  done
  number=$(head -n1 "$fdfile")
  rm -f "$fdfile"
  if [[ -z $number ]]; then
    echo "FAIL: Xvfb named no display within 60 s" >&2
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    return 1
  fi
  export DISPLAY=:$number
}
