// Loads the shader named on the command line (a path without ".hlsl"), then
// says so. A shader that does not compile ends the program before that.
#include <cstdio>

#include "ClientWindowEventHandler.h"
#include "Renderer/Shader.h"

// No game here to resize.
void ClientWindowEventHandler::onResize(int, int) {}

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    Shader shader;
    shader.load(argv[1]);
    std::printf("compiled\n");
    return 0;
}
