#include "Renderer/PC/DX12/DX12Window.h"

#include "Input/PC/InputManager.h"
#include "Renderer/PC/GameWindowClass.h"
#include "Renderer/PC/GameWindowMessages.h"

static const wchar_t* const className = L"DX12WindowClass";

DX12Window::DX12Window(HINSTANCE hinstance) : m_hinstance(hinstance) {}

DX12Window::~DX12Window() {
    if (m_hwnd) {
        // Later messages must not reach this object any more.
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
        UnregisterClassW(className, m_hinstance);
        m_hwnd = nullptr;
    }
}

bool DX12Window::create() {
    WNDCLASSEXW windowClass;
    if (!registerGameWindowClass(windowClass, m_hinstance, StaticWndProc, className))
        return false;

    m_windowRect =
        outerWindowRect(1280, 720, WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    m_hwnd = CreateWindowExW(0, className, L"DX12 Pellan", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, m_windowRect.right - m_windowRect.left,
                             m_windowRect.bottom - m_windowRect.top, nullptr, nullptr, m_hinstance,
                             this);
    if (!m_hwnd) {
        UnregisterClassW(className, m_hinstance);
        return false;
    }
    m_hdc = GetDC(m_hwnd);
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    inputManager.mWritableMouseLeft = false;
    return true;
}

void DX12Window::processEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK DX12Window::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        CREATESTRUCTW* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(creation->lpCreateParams));
    }
    DX12Window* window = reinterpret_cast<DX12Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->WndProc(hwnd, message, wParam, lParam);
}

LRESULT DX12Window::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        m_isRunning = true;
        break;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUIT:
        m_isRunning = false;
        PostQuitMessage(0);
        return 0;
    }
    handleGameWindowMessage(hwnd, message, wParam, lParam, on, m_example, mousePosition);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
