# Sourced by the test scripts that meet a message box of a Windows program
# under Wine ("An error occurred" and the like). Needs $root (the repository).
#
#   box=$(wait_for_message_box CAPTION [SECONDS])
#       the X window of the box once it is on screen (xdotool), empty when
#       none appeared in time;
#   text=$(read_and_close_message_box READER.exe CAPTION)
#       the text the box shows, read through user32 by the helper program
#       tests/support/message_box_reader.cpp (X sees only the box's frame),
#       which then presses the box's button; empty when no box showed a text
#       within 10 s, the reason then on the error stream.
#   close_message_box BOX
#       presses Return on the box, as a person would.

wait_for_message_box() { # caption [seconds]
  local box= i
  for ((i = 0; i < ${2:-60} * 5; i++)); do
    box=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1)
    [[ -n $box ]] && break
    sleep 0.2
  done
  echo "$box"
}

read_and_close_message_box() { # reader.exe caption
  "$root/scripts/wine-run" --timeout 60 "$1" "$2" 10 | tr -d '\r'
}

close_message_box() { # box
  xdotool key --window "$1" Return 2>/dev/null
}
