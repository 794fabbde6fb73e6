#include "Renderer/PC/GameWindowMessages.h"

#include <windowsx.h>

#include <cstdio>

#include "Input/PC/InputManager.h"

namespace {

// x from the left, y from the bottom (client height + 1 - client y). While
// the mouse is captured it can be outside the client area: negative values
// stop at 0.
void updateMousePosition(HWND hwnd, LPARAM lParam, unsigned short position[2]) {
    RECT client;
    GetClientRect(hwnd, &client);
    int x = GET_X_LPARAM(lParam);
    int clientY = GET_Y_LPARAM(lParam);
    int y = client.bottom + 1 - (clientY < 0 ? 0 : clientY);
    position[0] = (unsigned short)(x < 0 ? 0 : x);
    position[1] = (unsigned short)(y < 0 ? 0 : y);
    inputManager.mWritableMousePosition.x = position[0];
    inputManager.mWritableMousePosition.y = position[1];
}

// The cursor stays inside the client area, its far edges included, while the
// left button is held.
void clipCursorToClient(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    POINT topLeft = {client.left, client.top};
    POINT bottomRight = {client.right + 1, client.bottom + 1};
    ClientToScreen(hwnd, &topLeft);
    ClientToScreen(hwnd, &bottomRight);
    RECT clip = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    ClipCursor(&clip);
}

} // namespace

void handleGameWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& on,
                             ClientWindowEventHandler* handler, unsigned short mousePosition[2]) {
    switch (message) {
    case WM_SIZE: {
        int width = LOWORD(lParam);
        int height = HIWORD(lParam);
        // A minimised window reports 0 x 0, which no projection can use.
        if (handler && width > 0 && height > 0)
            handler->onResize(width, height);
        break;
    }
    case WM_KEYDOWN:
        // Every key-down, auto-repeats included.
        if (wParam == VK_ESCAPE)
            on = !on;
        break;
    case WM_MOUSEMOVE:
        updateMousePosition(hwnd, lParam, mousePosition);
        break;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        updateMousePosition(hwnd, lParam, mousePosition);
        inputManager.mWritableMouseLeft = true;
        // Flushed at once: the standard output may be a file or a pipe.
        std::printf("%u %u\n", unsigned(mousePosition[0]), unsigned(mousePosition[1]));
        std::fflush(stdout);
        clipCursorToClient(hwnd);
        break;
    case WM_LBUTTONUP:
        inputManager.mWritableMouseLeft = false;
        ClipCursor(nullptr);
        ReleaseCapture();
        break;
    }
}
