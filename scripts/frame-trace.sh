# Sourced: how a game's presented frames show in Wine's own trace, so that
# frames are seen as shipped, without a hook in the program.
#   frame_trace EXE   sets frame_debug (a WINEDEBUG value that keeps only that
#                     trace) and frame_line (a grep pattern for one frame)
# game_dx12 presents through its swap chain; game_gl and the test drivers swap
# OpenGL buffers.
frame_trace() {
  case $(basename "$1") in
    game_dx12*) frame_debug=-all,+dxgi frame_line=':trace:dxgi:.*swapchain_Present' ;;
    *) frame_debug=-all,+wgl frame_line=':trace:wgl:.*wglSwapBuffers' ;;
  esac
}
# Wine's own lines of a trace (any class of the traced channel), to leave out
# of what the program itself printed.
wine_trace_line='^([0-9.]+:)?[0-9a-f]{4}:(trace|fixme|warn|err):(dxgi|wgl):'
