#!/usr/bin/env bash
# A start-up failure as a user meets it: the message box "An error occurred"
# with the failure's text, and once it is closed the program ends with exit
# code 1.
#   startup_failure_test.sh CASE game.exe message_box_reader.exe output-dir
# CASE:
#   no-gl2      game_gl where OpenGL offers no 2.0 entry points (Mesa held to
#               version 1.4): Renderer::init fails
#   no-context  game_gl on an X display without GLX: no OpenGL context can be
#               made, so the window's creation fails
#   no-device   game_dx12 without a Vulkan driver: no Direct3D 12 device
set -u
case=$1
exe=$2
reader=$3
out=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/support/display.sh"
source "$root/tests/support/message_box.sh"
trap end_private_display EXIT
mkdir -p "$out"

expected_text="Unable to create the OpenGL Window"
expected_err=
case $case in
  no-gl2)
    export MESA_GL_VERSION_OVERRIDE=1.4
    expected_err='OpenGL entry point not found: glGenBuffers'
    ;;
  no-context)
    unset DISPLAY
    use_private_display -extension GLX
    ;;
  no-device)
    # The loader reads VK_DRIVER_FILES before VK_ICD_FILENAMES: both name none.
    export VK_DRIVER_FILES=$out/no-such-driver.json VK_ICD_FILENAMES=$out/no-such-driver.json
    ;;
  *)
    echo "unknown case $case"
    exit 2
    ;;
esac
use_private_display_if_none

failed=0
fail() {
  echo "FAIL ($case): $*"
  failed=1
}

"$root/scripts/wine-run" --timeout 90 "$exe" >"$out/$case.out" 2>"$out/$case.err" &
pid=$!
box=$(wait_for_message_box 'An error occurred' 60)
if [[ -z $box ]]; then
  fail "no message box within 60 s"
  wait "$pid"
  echo "exit code $?"
  cat "$out/$case.err"
  exit 1
fi
text=$(read_and_close_message_box "$reader" 'An error occurred')
if [[ $text != "$expected_text" ]]; then
  fail "message box text '$text', expected '$expected_text'"
  close_message_box "$box"
fi
wait "$pid"
rc=$?
[[ $rc -eq 1 ]] || fail "exit code $rc, expected 1"
if [[ -n $expected_err ]] && ! grep -q "^$expected_err" "$out/$case.err"; then
  fail "no line '$expected_err' on the error stream"
fi
echo "message box: $text"
echo "exit code: $rc"
exit $failed
