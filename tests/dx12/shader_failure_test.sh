#!/usr/bin/env bash
# A shader that does not compile stops game_dx12's back end: the compiler's
# words on the standard output and in a message box "An error occurred", then
# exit code 1 once a person closes the box.
#   shader_failure_test.sh path/to/dx12_shader_failure.exe build-dir
set -u
exe=$1
build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=$build/test-files/dx12
mkdir -p "$dir"
printf 'float4 PSMain() : SV_Target { return undefinedThing; }\n' >"$dir/broken.hlsl"

xvfb_pid=
finish() {
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
  fi
}
trap finish EXIT
if [[ -z ${DISPLAY:-} ]]; then
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s $fdfile ]] && break
    sleep 0.05
  done
  export DISPLAY=:$(head -n1 "$fdfile")
  rm -f "$fdfile"
fi

out=$dir/broken.out
"$root/scripts/wine-run" --timeout 90 "$exe" "$dir/broken" >"$out" 2>/dev/null &
pid=$!
box=
for _ in $(seq 300); do
  box=$(xdotool search --name '^An error occurred$' 2>/dev/null | head -n1)
  [[ -n $box ]] && break
  sleep 0.2
done
if [[ -z $box ]]; then
  echo "FAIL: no message box"
  wait "$pid"
  exit 1
fi
xdotool key --window "$box" Return 2>/dev/null
wait "$pid"
rc=$?

failed=0
if [[ $rc -ne 1 ]]; then
  echo "FAIL: exit code $rc, expected 1"
  failed=1
fi
if ! grep -q 'undefinedThing' "$out"; then
  echo "FAIL: the compiler's message is not on the standard output"
  failed=1
fi
if grep -q '^compiled$' "$out"; then
  echo "FAIL: the program went on after the failed compile"
  failed=1
fi
echo "standard output:"
cat "$out"
exit $failed
