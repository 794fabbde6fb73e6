#include "Renderer/PC/GameWindowClass.h"

namespace {

// A predefined icon or cursor named by its number, in either character width.
template <class Char> const Char* predefined(WORD id) {
    return reinterpret_cast<const Char*>(ULONG_PTR(id));
}

template <class Class, class Char>
bool registerClass(Class& windowClass, HINSTANCE instance, WNDPROC procedure, const Char* name,
                   HICON(WINAPI* loadIcon)(HINSTANCE, const Char*),
                   HCURSOR(WINAPI* loadCursor)(HINSTANCE, const Char*),
                   ATOM(WINAPI* registerClassEx)(const Class*)) {
    windowClass = {};
    windowClass.cbSize = sizeof(Class);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = loadIcon(nullptr, predefined<Char>(32512));     // IDI_APPLICATION
    windowClass.hCursor = loadCursor(nullptr, predefined<Char>(32512)); // IDC_ARROW
    windowClass.lpszClassName = name;
    windowClass.hIconSm = loadIcon(nullptr, predefined<Char>(32517)); // IDI_WINLOGO
    return registerClassEx(&windowClass) != 0;
}

} // namespace

bool registerGameWindowClass(WNDCLASSEXA& windowClass, HINSTANCE instance, WNDPROC procedure,
                             const char* name) {
    return registerClass(windowClass, instance, procedure, name, LoadIconA, LoadCursorA,
                         RegisterClassExA);
}

bool registerGameWindowClass(WNDCLASSEXW& windowClass, HINSTANCE instance, WNDPROC procedure,
                             const wchar_t* name) {
    return registerClass(windowClass, instance, procedure, name, LoadIconW, LoadCursorW,
                         RegisterClassExW);
}

RECT outerWindowRect(int width, int height, DWORD style, DWORD extendedStyle) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    return rect;
}
