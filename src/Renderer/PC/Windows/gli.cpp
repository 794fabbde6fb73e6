// OpenGL back end: the loader of the OpenGL 2.0 and later entry points (gli.h).
#include "Renderer/PC/Windows/gli.h"

#include <cstdint>
#include <cstdio>

#define GLI_DEFINE(type, name, required) type name = nullptr;
GLI_ENTRY_POINTS(GLI_DEFINE)
#undef GLI_DEFINE

PFNWGLCREATECONTEXTATTRIBSARBPROC wglCreateContextAttribsARB = nullptr;

PROC getProcAddressGL(const char* name) {
    PROC proc = wglGetProcAddress(name);
    intptr_t value = reinterpret_cast<intptr_t>(reinterpret_cast<void*>(proc));
    if (value >= -1 && value <= 3)
        return nullptr;
    return proc;
}

// Through void* so that the compiler accepts the cast between function types.
template <typename T> static T loadEntryPoint(const char* name, bool required, bool& allFound) {
    PROC proc = getProcAddressGL(name);
    if (!proc && required) {
        std::fprintf(stderr, "OpenGL entry point not found: %s\n", name);
        allFound = false;
    }
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

bool initExtensionsGL() {
    bool allFound = true;
#define GLI_LOAD(type, name, required) name = loadEntryPoint<type>(#name, required, allFound);
    GLI_ENTRY_POINTS(GLI_LOAD)
#undef GLI_LOAD
    return allFound;
}
