#pragma once

// The start-up failures of both editions, with the same texts: a message box
// with no owner window, after which the entry point returns 1.
#include <windows.h>

const char* const windowFailureText = "Unable to create the OpenGL Window";
const char* const initFailureText = "Could not initialize the application";

inline int startupFailure(const char* text) {
    MessageBoxA(nullptr, text, "An error occurred", MB_ICONERROR);
    return 1;
}
