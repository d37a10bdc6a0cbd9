#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include "framework/win32/InputBox.h"
#include "framework/win32/WideText.h"

namespace framework::win32 {
namespace {

// Closes a file handle when it goes out of scope.
struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
};

}  // namespace

void Win32Platform::initialiseComForThisThread() { OleInitialize(nullptr); }

std::string Win32Platform::executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

void Win32Platform::setCurrentFolder(const std::string& folder) { SetCurrentDirectoryW(widen(folder).c_str()); }

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

bool Win32Platform::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::writeFile(const std::string& path, std::string_view bytes) {
    const FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

std::optional<std::string> Win32Platform::readFile(const std::string& path) {
    const FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.handle, &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

void Win32Platform::shellOpen(const std::string& target) {
    ShellExecuteW(nullptr, L"open", widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

Point Win32Platform::cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

}  // namespace framework::win32
