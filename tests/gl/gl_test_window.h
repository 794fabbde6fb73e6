#pragma once

// The one real GLWindow of a Windows-side test program, opened on first use
// with the renderer initialised, as the entry point does it.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Renderer/PC/Windows/gli.h"
#include "Renderer/PC/Windows/glwindow.h"

// Null when no window or context could be made.
GLWindow* testWindow();

// Every onResize call that reached the test game, in order, and how many of
// them arrived while create() was still running.
extern std::vector<std::pair<int, int>> resizeCalls;
extern size_t resizeCallsDuringCreate;
// What the window printed on stderr while it was made (also passed on).
extern std::string createErrors;
extern ClientWindowEventHandler testGame;

// The whole X screen that Wine draws on, as a PNG, through ImageMagick's
// import (Wine starts Unix programs too). False when no file came out.
bool saveScreenshot(const std::string& path);

// On CI a missing window is a failure; on a developer machine without a
// display the test is skipped.
bool ciRun();
#define REQUIRE_TEST_WINDOW()                                                                      \
    do {                                                                                           \
        if (!testWindow()) {                                                                       \
            if (ciRun())                                                                           \
                FAIL() << "no OpenGL window";                                                      \
            GTEST_SKIP() << "no OpenGL window";                                                    \
        }                                                                                          \
    } while (0)

// Entry points that only the tests use (glIsBuffer and the like).
template <typename T> T testEntryPoint(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(getProcAddressGL(name)));
}

inline GLint getInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}
