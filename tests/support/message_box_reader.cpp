// A Windows helper of the test scripts (tests/support/message_box.sh): waits
// for a top-level message box with the caption given to show a text, prints
// that text on the standard output and presses the box's button, which
// closes it.
//   message_box_reader.exe CAPTION [SECONDS]
// Exit code 0 when a box was found, read and pressed; 1 when none showed a
// text within the limit (the reason on the error stream).
// It runs on the same Wine server as the program under test, so it sees that
// program's windows through user32, where X sees only their frames.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct BoxParts {
    std::string text;
    HWND button = nullptr;
};

BOOL CALLBACK visitChild(HWND child, LPARAM data) {
    BoxParts& parts = *reinterpret_cast<BoxParts*>(data);
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    // The icon is a Static control without text; the message is the one with.
    if (_stricmp(className, "Static") == 0 && text[0] && parts.text.empty())
        parts.text = text;
    if (_stricmp(className, "Button") == 0 && !parts.button)
        parts.button = child;
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: message_box_reader CAPTION [SECONDS]\n");
        return 2;
    }
    const char* caption = argv[1];
    int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    // The box is read once it is on screen with its text: a box caught while
    // it is being made (or taken down) has no text to read yet.
    HWND box = nullptr;
    BoxParts parts;
    for (int i = 0; i < seconds * 10; ++i) {
        box = FindWindowA("#32770", caption); // the dialog class of message boxes
        parts = BoxParts();
        if (box && IsWindowVisible(box))
            EnumChildWindows(box, visitChild, reinterpret_cast<LPARAM>(&parts));
        if (!parts.text.empty())
            break;
        Sleep(100);
    }
    if (parts.text.empty()) {
        if (box)
            std::fprintf(stderr,
                         "message_box_reader: the message box \"%s\" showed no text within %d s\n",
                         caption, seconds);
        else
            std::fprintf(stderr, "message_box_reader: no message box \"%s\" within %d s\n", caption,
                         seconds);
        return 1;
    }
    std::printf("%s\n", parts.text.c_str());
    std::fflush(stdout);
    if (parts.button)
        SendMessageA(parts.button, BM_CLICK, 0, 0);
    else
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}
