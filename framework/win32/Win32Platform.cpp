// The platform's remaining services: COM, the command line, message and input boxes, the
// embedded component and its registration, the shell, the web and the cursor. Files and the
// registry, the clock and the run threads have files of their own.

#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <ole2.h>

#include "framework/win32/HttpGet.h"
#include "framework/win32/InputBox.h"
#include "framework/win32/Shell.h"
#include "text/win32/WideText.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

using text::narrow;
using text::widen;

Win32Platform::Win32Platform() : answeringThread_(GetCurrentThreadId()) {}

void Win32Platform::initialiseComForThisThread() { OleInitialize(nullptr); }

std::string Win32Platform::commandLine() { return narrow(GetCommandLineW()); }

MessageAnswer Win32Platform::messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                        MessageButtons buttons) {
    UINT style = MB_TASKMODAL | MB_SETFOREGROUND | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    switch (icon) {
        case MessageIcon::Error: style |= MB_ICONERROR; break;
        case MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
        case MessageIcon::Question: style |= MB_ICONQUESTION; break;
        case MessageIcon::None: break;
    }
    switch (MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(), style)) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        default: return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

std::optional<std::string> Win32Platform::inputBox(std::string_view prompt, std::string_view title,
                                                   std::string_view initialText) {
    const auto entered = showInputBox(widen(prompt), widen(title), widen(initialText));
    if (!entered) return std::nullopt;
    return narrow(*entered);
}

namespace {

std::string embeddedData(const wchar_t* name) {
    const HRSRC resource = FindResourceW(nullptr, name, RT_RCDATA);
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, resource));
}

}  // namespace

std::string Win32Platform::componentImage() { return embeddedData(L"QDAUTO"); }

std::string Win32Platform::component32Image() { return embeddedData(L"QDAUTO32"); }

std::string Win32Platform::system32BitFolder() {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetSystemWow64DirectoryW(folder, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? narrow(std::wstring_view(folder, length)) : std::string();
}

// The 32-bit library registers itself in a 32-bit process: that folder's regsvr32, silent.
bool Win32Platform::registerComponent32(const std::string& path) {
    const std::wstring program = widen(system32BitFolder()) + L"\\regsvr32.exe";
    std::wstring line = L"\"" + program + L"\" /s \"" + widen(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    const utils::ScopedHandle thread(process.hThread), running(process.hProcess);
    DWORD exitCode = 1;
    return WaitForSingleObject(running.get(), 10000) == WAIT_OBJECT_0 && GetExitCodeProcess(running.get(), &exitCode) &&
           exitCode == 0;
}

// Loads the library through its short (8.3) path and calls its registration entry; the
// entry's own result is not examined.
bool Win32Platform::registerComponent(const std::string& path) {
    wchar_t shortPath[255] = {};
    const DWORD length = GetShortPathNameW(widen(path).c_str(), shortPath, 255);
    if (length == 0 || length >= 255) return false;
    const utils::ScopedLibrary library(LoadLibraryW(shortPath));
    if (!library) return false;
    using Entry = HRESULT(__stdcall*)();
    const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library.get(), "DllRegisterServer")));
    if (entry) entry();
    return entry != nullptr;
}

void Win32Platform::unloadUnusedLibraries() { CoFreeUnusedLibrariesEx(0, 0); }

void Win32Platform::shellOpen(const std::string& target) { openWithShell(target); }

std::string Win32Platform::httpGet(const std::string& address, const WebRead& limits) {
    return win32::httpGet(address, limits);
}

Point Win32Platform::cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

std::int32_t Win32Platform::windowUnderCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND found = WindowFromPoint(cursor);
    if (!found) return 0;
    // Later siblings that hold the point too: the smallest visible one wins.
    if (const HWND parent = GetParent(found)) {
        RECT bounds;
        GetWindowRect(found, &bounds);
        long long best = static_cast<long long>(bounds.right - bounds.left) * (bounds.bottom - bounds.top);
        for (HWND sibling = GetWindow(found, GW_HWNDNEXT); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
            if (GetParent(sibling) != parent || !IsWindowVisible(sibling)) continue;
            GetWindowRect(sibling, &bounds);
            const long long area = static_cast<long long>(bounds.right - bounds.left) * (bounds.bottom - bounds.top);
            if (PtInRect(&bounds, cursor) && area < best) {
                best = area;
                found = sibling;
            }
        }
    }
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(found));
}

}  // namespace framework::win32
