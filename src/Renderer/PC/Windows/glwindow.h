#pragma once

// OpenGL back end: the Win32 window of the OpenGL edition with its OpenGL context. It turns
// window messages into the pause switch, the mouse half of inputManager and
// resize calls to the attached game.
#include <windows.h>

#include "ClientWindowEventHandler.h"
#include "MathUtils/Vector2D.h"

class GLWindow {
public:
    explicit GLWindow(HINSTANCE hinstance);
    // Releases the context: the game's destructors still draw after the
    // loop ends, so the context lives as long as the window object.
    ~GLWindow();
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    bool create(int width, int height, int bits, bool fullscreen);
    // Restores the display mode and the cursor after full screen.
    void destroy();
    void attachClientWindowEventHandler(ClientWindowEventHandler* handler);
    bool isRunning();
    void processEvents();
    void swapBuffers();
    void setLimitFramerate(unsigned int hz);
    // What the window saw last (declared for callers; nothing in the
    // shipped program calls them): the mouse position in pixels with y from
    // the bottom, whether the left button is down, and the attached handler.
    Vector2D getMousePosition();
    bool getMouseLeftDown();
    ClientWindowEventHandler* getAttachedClientWindowEventHandler();

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void setupPixelFormat();

    bool on; // false while paused
    HWND m_hwnd;
    ClientWindowEventHandler* m_example;
    bool m_isRunning; // from the context's creation until close
    bool m_isFullscreen;
    HGLRC m_hglrc;
    HDC m_hdc;
    RECT m_windowRect;
    HINSTANCE m_hinstance;
    WNDCLASSEXA m_windowClass;
    unsigned short mousePosition[2]; // pixels, y from the bottom
    bool mouseLeftDown;              // between a left press and its release

private:
    bool createContext(HWND hwnd);
};
