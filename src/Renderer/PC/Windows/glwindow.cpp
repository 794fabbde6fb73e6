// OpenGL back end: the Win32 window of game_gl and its OpenGL context.
#include "Renderer/PC/Windows/glwindow.h"

#include <cstdio>

#include "Input/PC/InputManager.h"
#include "Renderer/PC/GameWindowClass.h"
#include "Renderer/PC/GameWindowMessages.h"
#include "Renderer/PC/Windows/gli.h"

static const char* const className = "GLClass";

GLWindow::GLWindow(HINSTANCE hinstance)
    : on(true), m_hwnd(nullptr), m_example(nullptr), m_isRunning(false), m_isFullscreen(false),
      m_hglrc(nullptr), m_hdc(nullptr), m_windowRect(), m_hinstance(hinstance), m_windowClass(),
      mousePosition(), mouseLeftDown(false) {}

GLWindow::~GLWindow() {
    if (m_hglrc) {
        if (wglGetCurrentContext() == m_hglrc)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(m_hglrc);
        m_hglrc = nullptr;
    }
    if (m_hwnd) {
        // Later messages must not reach this object any more.
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
        UnregisterClassA(className, m_hinstance);
        m_hwnd = nullptr;
    }
}

bool GLWindow::create(int width, int height, int bits, bool fullscreen) {
    m_isFullscreen = fullscreen;
    if (!registerGameWindowClass(m_windowClass, m_hinstance, StaticWndProc, className))
        return false;

    if (m_isFullscreen) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmBitsPerPel = bits;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            MessageBoxA(nullptr, "Display mode failed", nullptr, MB_OK);
            m_isFullscreen = false;
        }
    }

    DWORD extendedStyle;
    DWORD style;
    if (m_isFullscreen) {
        extendedStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    } else {
        extendedStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    m_windowRect = outerWindowRect(width, height, style, extendedStyle);

    // WM_CREATE makes the context and WM_SIZE reaches the game before this returns.
    m_hwnd = CreateWindowExA(
        0, className, "ZELL 7 Pellan & Ormadine", style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        CW_USEDEFAULT, CW_USEDEFAULT, m_windowRect.right - m_windowRect.left,
        m_windowRect.bottom - m_windowRect.top, nullptr, nullptr, m_hinstance, this);
    if (!m_hwnd)
        return false;

    m_hdc = GetDC(m_hwnd);
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    inputManager.mWritableMouseLeft = false;
    return true;
}

void GLWindow::destroy() {
    if (m_isFullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
}

void GLWindow::attachClientWindowEventHandler(ClientWindowEventHandler* handler) {
    m_example = handler;
}

bool GLWindow::isRunning() {
    return m_isRunning;
}

void GLWindow::processEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void GLWindow::swapBuffers() {
    SwapBuffers(m_hdc);
}

Vector2D GLWindow::getMousePosition() {
    return Vector2D(mousePosition[0], mousePosition[1]);
}

bool GLWindow::getMouseLeftDown() {
    return mouseLeftDown;
}

ClientWindowEventHandler* GLWindow::getAttachedClientWindowEventHandler() {
    return m_example;
}

void GLWindow::setLimitFramerate(unsigned int hz) {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof(device);
    EnumDisplayDevicesA(nullptr, 0, &device, EDD_GET_DEVICE_INTERFACE_NAME);
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
    if (mode.dmDisplayFrequency != hz) {
        mode.dmDisplayFrequency = hz;
        mode.dmFields |= DM_DISPLAYFREQUENCY;
        ChangeDisplaySettingsA(&mode, 0);
    }
}

LRESULT CALLBACK GLWindow::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        CREATESTRUCTA* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(creation->lpCreateParams));
    }
    GLWindow* window = reinterpret_cast<GLWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return window->WndProc(hwnd, message, wParam, lParam);
}

void GLWindow::setupPixelFormat() {
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    SetPixelFormat(m_hdc, ChoosePixelFormat(m_hdc, &format), &format);
}

// A first context to reach wglCreateContextAttribsARB, then a 3.0 one in its
// place. The first context goes only once the new one exists.
bool GLWindow::createContext(HWND hwnd) {
    m_hdc = GetDC(hwnd);
    setupPixelFormat();
    HGLRC first = wglCreateContext(m_hdc);
    if (!first)
        return false;
    wglMakeCurrent(m_hdc, first);

    wglCreateContextAttribsARB = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
        reinterpret_cast<void*>(getProcAddressGL("wglCreateContextAttribsARB")));
    HGLRC context = nullptr;
    if (wglCreateContextAttribsARB) {
        const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB,
                                  0, 0};
        context = wglCreateContextAttribsARB(m_hdc, nullptr, attributes);
    }
    if (context) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(first);
        m_hglrc = context;
    } else {
        std::fprintf(stderr, "OpenGL 3.0 is not supported, falling back to GL 2.1\n");
        m_hglrc = first;
    }
    wglMakeCurrent(m_hdc, m_hglrc);
    m_isRunning = true;
    return true;
}

LRESULT GLWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // Without a context there is nothing to draw with: creation fails.
        if (!createContext(hwnd))
            return -1;
        break;
    case WM_CLOSE:
    case WM_DESTROY:
        // Only ends the loop; the context goes with the window object.
        m_isRunning = false;
        PostQuitMessage(0);
        return 0;
    case WM_LBUTTONDOWN:
        mouseLeftDown = true;
        break;
    case WM_LBUTTONUP:
        mouseLeftDown = false;
        break;
    }
    handleGameWindowMessage(hwnd, message, wParam, lParam, on, m_example, mousePosition);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
