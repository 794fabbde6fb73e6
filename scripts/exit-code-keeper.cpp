// scripts/wine-run starts every program through this one: it runs the program
// on the rest of its command line, waits for it and writes the exit code that
// the program gave into a file before ending with that code itself.
//   exit-code-keeper.exe CODE-FILE program.exe [args...]
// Wine's server kills a program's Linux process (SIGKILL) once its last
// thread has ended if that process takes more than about half a second to go,
// which a busy machine makes it do; the code the program gave is then lost to
// the shell, but not to this one, which holds the program's handle.
#include <windows.h>

#include <cstdio>

namespace {

// The rest of a command line after its first argument, as Windows splits it.
const wchar_t* afterFirstArgument(const wchar_t* line) {
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        if (*line == L'"')
            quoted = !quoted;
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: exit-code-keeper CODE-FILE program.exe [args...]\n");
        return 2;
    }
    // The program's own command line, quoted as Wine made it for us.
    wchar_t* command = _wcsdup(afterFirstArgument(afterFirstArgument(GetCommandLineW())));
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION program = {};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &program)) {
        std::fprintf(stderr, "wine-run: could not start %s (error %lu)\n", argv[2],
                     GetLastError());
        return 126;
    }
    WaitForSingleObject(program.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(program.hProcess, &code);
    if (FILE* file = std::fopen(argv[1], "w")) {
        std::fprintf(file, "%lu\n", code);
        std::fclose(file);
    }
    return static_cast<int>(code);
}
