// The platform's files, folders and registry values.

#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

#include "text/win32/WideText.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

using text::narrow;
using text::widen;
namespace {

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HKEY rootKey(Platform::RegistryRoot root) {
    return root == Platform::RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

}  // namespace

std::string Win32Platform::executableFolder() {
    const std::wstring path = executablePath();
    return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

std::string Win32Platform::executableName() {
    const std::wstring path = executablePath();
    return narrow(path.substr(path.find_last_of(L"\\/") + 1));
}

namespace {

std::string knownFolder(REFKNOWNFOLDERID id) {
    PWSTR folder = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &folder))) result = narrow(folder);
    CoTaskMemFree(folder);
    return result;
}

}  // namespace

std::string Win32Platform::desktopFolder() { return knownFolder(FOLDERID_Desktop); }

std::string Win32Platform::localDataFolder() { return knownFolder(FOLDERID_LocalAppData); }

std::string Win32Platform::windowsFolder() {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? narrow(std::wstring_view(folder, length)) : std::string();
}

void Win32Platform::setCurrentFolder(const std::string& folder) {
    // A drive alone ("C:") names that drive's current folder, not its root.
    SetCurrentDirectoryW(widen(folder.ends_with(':') ? folder + "\\" : folder).c_str());
}

std::string Win32Platform::fullPath(const std::string& path) {
    const std::wstring relative = widen(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) {
            full.resize(length);
            return narrow(full);
        }
        full.resize(length);  // the length it needs, with its terminating zero
    }
}

bool Win32Platform::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

utils::ScopedFile createForWriting(const std::string& path) {
    return utils::ScopedFile(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool Win32Platform::writeFile(const std::string& path, std::string_view bytes) {
    const utils::ScopedFile file = createForWriting(path);
    return file && writeAll(file.get(), bytes);
}

std::optional<std::string> Win32Platform::readFile(const std::string& path, std::size_t maxBytes) {
    const utils::ScopedFile file(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32Platform::createFolder(const std::string& path) {
    const std::wstring folder = widen(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::replaceFile(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(GetTickCount64()) + ".tmp";
    // The bytes are on the disk before the new file takes the target's place, so that a power
    // cut leaves the one file or the other whole, never an empty or a torn one.
    bool written = false;
    if (const utils::ScopedFile file = createForWriting(temporary))
        written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    if (!written) {
        DeleteFileW(widen(temporary).c_str());
        return false;
    }
    // Another program may hold either file open for a moment (a virus scanner, an indexer, the
    // shell reading a new file on the desktop): the replacement is tried again for a while.
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (MoveFileExW(widen(temporary).c_str(), widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) break;
        Sleep(25);
    }
    DeleteFileW(widen(temporary).c_str());
    return false;
}

bool Win32Platform::setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                                    const std::string& text) {
    utils::ScopedKey opened;
    if (RegCreateKeyExW(rootKey(root), widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.receive(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring data = widen(text);
    return RegSetValueExW(opened.get(), widen(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Platform::deleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName) {
    utils::ScopedKey opened;
    if (RegOpenKeyExW(rootKey(root), widen(key).c_str(), 0, KEY_SET_VALUE, opened.receive()) != ERROR_SUCCESS) return false;
    return RegDeleteValueW(opened.get(), widen(valueName).c_str()) == ERROR_SUCCESS;
}

bool Win32Platform::deleteRegistryKey(RegistryRoot root, const std::string& key) {
    return RegDeleteKeyW(rootKey(root), widen(key).c_str()) == ERROR_SUCCESS;
}

}  // namespace framework::win32
