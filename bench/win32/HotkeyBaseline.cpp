// hotkey-baseline.exe: the platform's own answer to F11, for comparison with the program's:
// registers F11 as a global hotkey and puts the cursor on the point at every press.
//
//   hotkey-baseline X Y

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const int x = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    const int y = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    if (!RegisterHotKey(nullptr, 1, 0, VK_F11)) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        if (message.message == WM_HOTKEY) SetCursorPos(x, y);
    return 0;
}
