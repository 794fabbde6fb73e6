#!/usr/bin/env bash
# A shader that does not compile stops game_dx12's back end: the compiler's
# words on the standard output and in a message box "An error occurred", then
# exit code 1 once a person closes the box.
#   shader_failure_test.sh dx12_shader_failure.exe message_box_reader.exe build-dir
set -u
exe=$1
reader=$2
build=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=$build/test-files/dx12_shader_failure_test
mkdir -p "$dir"
printf 'float4 PSMain() : SV_Target { return undefinedThing; }\n' >"$dir/broken.hlsl"

source "$root/tests/support/display.sh"
source "$root/tests/support/message_box.sh"
trap end_private_display EXIT
use_private_display_if_none

out=$dir/broken.out
"$root/scripts/wine-run" --timeout 90 "$exe" "$dir/broken" >"$out" 2>/dev/null &
pid=$!
box=$(wait_for_message_box 'An error occurred' 60)
if [[ -z $box ]]; then
  echo "FAIL: no message box within 60 s"
  wait "$pid"
  exit 1
fi
text=$(read_and_close_message_box "$reader" 'An error occurred')
[[ -n $text ]] || close_message_box "$box"
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
if [[ $text != *undefinedThing* ]]; then
  echo "FAIL: the message box does not show the compiler's message: '$text'"
  failed=1
fi
if grep -q '^compiled$' "$out"; then
  echo "FAIL: the program went on after the failed compile"
  failed=1
fi
echo "standard output:"
cat "$out"
exit $failed
