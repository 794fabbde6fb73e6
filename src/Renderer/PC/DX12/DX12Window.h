#pragma once

// The Win32 window of the Direct3D 12 edition (wide-character). It turns
// window messages into the pause switch, the mouse half of inputManager and
// resize calls to the attached game; the renderer presents into it.
#include <windows.h>

#include "ClientWindowEventHandler.h"

class DX12Window {
public:
    explicit DX12Window(HINSTANCE hinstance);
    ~DX12Window();
    DX12Window(const DX12Window&) = delete;
    DX12Window& operator=(const DX12Window&) = delete;

    // Registers "DX12WindowClass" and opens "DX12 Pellan" with a 1280 x 720
    // client area; false when either fails.
    bool create();
    // Dispatches every waiting message.
    void processEvents();
    bool isRunning() const { return m_isRunning; }

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool on = true; // false while paused
    HWND m_hwnd = nullptr;
    ClientWindowEventHandler* m_example = nullptr;
    bool m_isRunning = false; // from WM_CREATE until close
    bool m_isFullscreen = false;
    HDC m_hdc = nullptr;
    RECT m_windowRect = {};
    HINSTANCE m_hinstance = nullptr;
    unsigned short mousePosition[2] = {}; // pixels, y from the bottom
};
