#pragma once

// OpenGL back end: the OpenGL function loader. The OpenGL entry points beyond
// 1.1, fetched from the driver at start-up. Each is a global function pointer
// with the OpenGL name, so calling code reads like plain OpenGL.
#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/wglext.h>

// X(type, name, required): the back end calls every required one; the others
// stay null on drivers without them (the GL 2.1 fallback lacks the glUniform*ui).
#define GLI_ENTRY_POINTS(X)                                                                        \
    X(PFNGLGENBUFFERSPROC, glGenBuffers, true)                                                     \
    X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers, true)                                               \
    X(PFNGLBINDBUFFERPROC, glBindBuffer, true)                                                     \
    X(PFNGLBUFFERDATAPROC, glBufferData, true)                                                     \
    X(PFNGLBUFFERSUBDATAPROC, glBufferSubData, false)                                              \
    X(PFNGLCREATESHADERPROC, glCreateShader, true)                                                 \
    X(PFNGLDELETESHADERPROC, glDeleteShader, true)                                                 \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram, true)                                               \
    X(PFNGLSHADERSOURCEPROC, glShaderSource, true)                                                 \
    X(PFNGLCOMPILESHADERPROC, glCompileShader, true)                                               \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv, true)                                                   \
    X(PFNGLATTACHSHADERPROC, glAttachShader, true)                                                 \
    X(PFNGLDETACHSHADERPROC, glDetachShader, true)                                                 \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram, true)                                                   \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv, true)                                                 \
    X(PFNGLUSEPROGRAMPROC, glUseProgram, true)                                                     \
    X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog, false)                                      \
    X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog, true)                                         \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation, true)                                     \
    X(PFNGLUNIFORM1FPROC, glUniform1f, true)                                                       \
    X(PFNGLUNIFORM2FPROC, glUniform2f, true)                                                       \
    X(PFNGLUNIFORM3FPROC, glUniform3f, true)                                                       \
    X(PFNGLUNIFORM4FPROC, glUniform4f, true)                                                       \
    X(PFNGLUNIFORM1FVPROC, glUniform1fv, false)                                                    \
    X(PFNGLUNIFORM2FVPROC, glUniform2fv, false)                                                    \
    X(PFNGLUNIFORM3FVPROC, glUniform3fv, false)                                                    \
    X(PFNGLUNIFORM4FVPROC, glUniform4fv, false)                                                    \
    X(PFNGLUNIFORM1IPROC, glUniform1i, true)                                                       \
    X(PFNGLUNIFORM2IPROC, glUniform2i, false)                                                      \
    X(PFNGLUNIFORM3IPROC, glUniform3i, false)                                                      \
    X(PFNGLUNIFORM4IPROC, glUniform4i, false)                                                      \
    X(PFNGLUNIFORM1UIPROC, glUniform1ui, false)                                                    \
    X(PFNGLUNIFORM2UIPROC, glUniform2ui, false)                                                    \
    X(PFNGLUNIFORM3UIPROC, glUniform3ui, false)                                                    \
    X(PFNGLUNIFORM4UIPROC, glUniform4ui, false)                                                    \
    X(PFNGLUNIFORMMATRIX2FVPROC, glUniformMatrix2fv, false)                                        \
    X(PFNGLUNIFORMMATRIX3FVPROC, glUniformMatrix3fv, true)                                         \
    X(PFNGLUNIFORMMATRIX4FVPROC, glUniformMatrix4fv, true)                                         \
    X(PFNGLGETATTRIBLOCATIONPROC, glGetAttribLocation, true)                                       \
    X(PFNGLBINDATTRIBLOCATIONPROC, glBindAttribLocation, false)                                    \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer, true)                                   \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray, true)                           \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, glDisableVertexAttribArray, true)                         \
    X(PFNGLACTIVETEXTUREPROC, glActiveTexture, true)                                               \
    X(PFNGLBLENDEQUATIONPROC, glBlendEquation, false)                                              \
    X(PFNGLBLENDFUNCSEPARATEPROC, glBlendFuncSeparate, false)

#define GLI_DECLARE(type, name, required) extern type name;
GLI_ENTRY_POINTS(GLI_DECLARE)
#undef GLI_DECLARE

// Fetched by the window while it makes its context; null when the driver has
// none (the window then keeps its first context).
extern PFNWGLCREATECONTEXTATTRIBSARBPROC wglCreateContextAttribsARB;

// wglGetProcAddress, with the failure values that some drivers return instead
// of null (1, 2, 3 and -1) turned into null.
PROC getProcAddressGL(const char* name);

// Fetches every entry point above with the context current. Prints one line
// per missing required entry point on stderr and returns false if any is.
bool initExtensionsGL();
