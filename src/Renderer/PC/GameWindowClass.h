#pragma once

// What both game windows (OpenGL and Direct3D 12 editions) set up alike: a
// window class redrawn on resize with the standard arrow and icons, and the
// outer size that gives the client area asked for. GLWindow keeps to the ANSI
// forms of the calls, DX12Window to the wide ones.
#include <windows.h>

// Fills windowClass with the procedure, the instance and the name, then
// registers it; false when the registration fails.
bool registerGameWindowClass(WNDCLASSEXA& windowClass, HINSTANCE instance, WNDPROC procedure,
                             const char* name);
bool registerGameWindowClass(WNDCLASSEXW& windowClass, HINSTANCE instance, WNDPROC procedure,
                             const wchar_t* name);

// {0, 0, width, height} grown to the outer size of a window of these styles.
RECT outerWindowRect(int width, int height, DWORD style, DWORD extendedStyle);
