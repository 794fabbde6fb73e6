#pragma once

// The messages that both game windows (OpenGL and Direct3D 12 editions) handle
// alike: size changes go to the game, Escape toggles the pause switch, and the
// mouse goes to inputManager with y counted from the bottom edge.
#include <windows.h>

#include "ClientWindowEventHandler.h"

// WM_SIZE, WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP; any other
// message is left alone. The caller still passes every message on to the
// default window procedure.
void handleGameWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& on,
                             ClientWindowEventHandler* handler, unsigned short mousePosition[2]);
