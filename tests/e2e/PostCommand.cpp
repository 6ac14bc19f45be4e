// Posts a command to the first visible window of a class, for the screenshot script: for example
// es_post_command EchoSentinel 40009 opens Properties, es_post_command #32770 1 presses OK.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HWND window = ::FindWindowW(argv[1], nullptr);
    if (!window || !::IsWindowVisible(window)) return 1;
    return ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(std::wcstol(argv[2], nullptr, 10), 0), 0) ? 0 : 1;
}
