#pragma once

// The start-up failures of both editions, with the same texts: a message box
// with no owner window, after which the entry point returns 1.
#include <windows.h>

const char* const windowFailureText = "Unable to create the OpenGL Window";
const char* const initFailureText = "Could not initialize the application";

inline int startupFailure(const char* text) {
    // A window that failed while being created was destroyed on the way, and
    // its WM_DESTROY posted a quit message: a message box that finds it in the
    // queue closes at once. Nothing is running yet, so that quit is dropped.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    MessageBoxA(nullptr, text, "An error occurred", MB_ICONERROR);
    return 1;
}
