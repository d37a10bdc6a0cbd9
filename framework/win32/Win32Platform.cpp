#include "framework/win32/Win32Platform.h"

#include <windows.h>
#include <knownfolders.h>
#include <ole2.h>
#include <shlobj.h>
#include <timeapi.h>

#include <deque>
#include <exception>
#include <memory>
#include <thread>

#include "framework/win32/HttpGet.h"
#include "framework/win32/InputBox.h"
#include "framework/win32/Shell.h"
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

// A token whose cancel sets an event that waits on it watch.
class EventToken final : public CancelToken {
public:
    EventToken() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    HANDLE event() const { return event_.get(); }

protected:
    void wake() override { SetEvent(event_.get()); }

private:
    utils::ScopedHandle event_;
};

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// One waitable timer per thread: high resolution where the system has it; else a plain one,
// with the system timer period lowered to 1 ms while it runs.
struct ThreadTimer {
    utils::ScopedHandle handle{CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS)};
    bool highResolution = static_cast<bool>(handle);
    ThreadTimer() {
        if (!handle) handle.reset(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    }
};

HKEY rootKey(Platform::RegistryRoot root) {
    return root == Platform::RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

}  // namespace

void Win32Platform::initialiseComForThisThread() { OleInitialize(nullptr); }

std::string Win32Platform::executableFolder() {
    const std::wstring path = executablePath();
    return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

std::string Win32Platform::executableName() {
    const std::wstring path = executablePath();
    return narrow(path.substr(path.find_last_of(L"\\/") + 1));
}

std::string Win32Platform::commandLine() { return narrow(GetCommandLineW()); }

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

Win32Platform::Win32Platform() : answeringThread_(GetCurrentThreadId()) {}

std::shared_ptr<CancelToken> Win32Platform::newCancelToken() { return std::make_shared<EventToken>(); }

namespace {

long long performanceCounter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

long long performanceFrequency() {
    static const long long frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return frequency;
}

// Calls sent from other threads are answered meanwhile (the user-interface thread's waits
// serve the player's thread); nothing else is.
void answerSentCalls() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Sleeps on the thread's timer; false only when the token's event ended the sleep. (Should the
// timer fail, the caller's spin to the end keeps the time.)
bool sleepOnTimer(int milliseconds, HANDLE cancelled) {
    thread_local ThreadTimer timer;
    if (!timer.highResolution) timeBeginPeriod(1);
    LARGE_INTEGER due;
    due.QuadPart = -10000LL * milliseconds;  // relative, in 100 ns
    SetWaitableTimer(timer.handle.get(), &due, 0, nullptr, nullptr, FALSE);
    const HANDLE handles[] = {cancelled, timer.handle.get()};
    DWORD woken = 0;
    while ((woken = MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_SENDMESSAGE, 0)) == WAIT_OBJECT_0 + 2)
        answerSentCalls();
    CancelWaitableTimer(timer.handle.get());
    if (!timer.highResolution) timeEndPeriod(1);
    return woken != WAIT_OBJECT_0;
}

// The timer wakes up to this much late; the rest of a wait is spent yielding the processor
// until the performance counter reaches the end.
constexpr int TimerMargin = 2;

}  // namespace

std::int64_t Win32Platform::clockMicroseconds() {
    const long long counter = performanceCounter(), frequency = performanceFrequency();
    return counter / frequency * 1'000'000 + counter % frequency * 1'000'000 / frequency;  // no overflow
}

bool Win32Platform::waitUntil(std::int64_t deadline, CancelToken& token) {
    if (token.cancelled()) return false;
    const long long frequency = performanceFrequency();
    const long long end = deadline / 1'000'000 * frequency + deadline % 1'000'000 * frequency / 1'000'000;
    if (performanceCounter() >= end) return true;
    const long long milliseconds = (end - performanceCounter()) * 1000 / frequency;
    const HANDLE cancelled = static_cast<EventToken&>(token).event();
    if (milliseconds > TimerMargin && !sleepOnTimer(static_cast<int>(milliseconds - TimerMargin), cancelled))
        return false;
    // Looking for sent calls asks the server under Wine: only the thread they come to does.
    const bool answersCalls = GetCurrentThreadId() == answeringThread_;
    while (performanceCounter() < end) {
        if (token.cancelled()) return false;
        if (answersCalls) answerSentCalls();
        SwitchToThread();
    }
    return !token.cancelled();
}

namespace {

// Threads whose body has returned wait here for the next one: a run then starts on a thread
// that exists and is in COM already (creating a thread and entering COM cost milliseconds).
// Shared with the threads, so that it outlives the platform; the process ends them as they wait.
// The system's own lock and condition variable: under Wine a wake through them is one call to
// the kernel, where the C++ library's go through the server's semaphores.
struct IdleThreads {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE woken = CONDITION_VARIABLE_INIT;
    std::deque<std::function<void()>> bodies;
    int waiting = 0;
};

void serve(const std::shared_ptr<IdleThreads>& idle, std::function<void()> body) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (;;) {
        body();
        body = nullptr;  // what it holds is let go before the thread waits
        const utils::ScopedExclusiveLock lock(idle->lock);
        ++idle->waiting;
        while (idle->bodies.empty()) SleepConditionVariableSRW(&idle->woken, &idle->lock, INFINITE, 0);
        body = std::move(idle->bodies.front());
        idle->bodies.pop_front();
    }
}

}  // namespace

bool Win32Platform::startThread(std::function<void()> body) {
    static const auto idle = std::make_shared<IdleThreads>();
    try {
        {
            const utils::ScopedExclusiveLock lock(idle->lock);
            if (idle->waiting > 0) {
                idle->bodies.push_back(std::move(body));
                --idle->waiting;
                WakeConditionVariable(&idle->woken);
                return true;
            }
        }
        std::thread(serve, idle, std::move(body)).detach();
        return true;
    } catch (const std::exception&) {  // the system made no thread (std::system_error), or memory ran out
        return false;
    }
}

}  // namespace framework::win32
