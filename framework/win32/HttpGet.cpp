#include "framework/win32/HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "text/win32/WideText.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

using text::narrow;
using text::widen;
namespace {

using InternetHandle = utils::Scoped<utils::NullIsNone<HINTERNET, InternetCloseHandle>>;

// What the reading thread and the waiting caller share; it lives as long as either of them.
struct PendingRead {
    std::mutex mutex;
    std::string bytes;
    bool abandoned = false;
    utils::ScopedHandle finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

constexpr DWORD FreshRequest = INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;

bool failedStatus(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    return HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
           (status < 200 || status > 299);
}

// Reads the body into the shared bytes as it arrives, so that the caller has every byte that
// came before a failure or its deadline.
void readBody(PendingRead& read, const std::wstring& address, const Platform::WebRead& limits) {
    const InternetHandle session(InternetOpenW(L"landou", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return;
    DWORD timeout = static_cast<DWORD>(limits.timeoutMilliseconds);
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                               INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        InternetSetOptionW(session.get(), option, &timeout, sizeof timeout);
    const InternetHandle request(InternetOpenUrlW(session.get(), address.c_str(), nullptr, 0, FreshRequest, 0));
    if (!request || failedStatus(request.get())) return;
    char chunk[16384];
    for (;;) {
        // Waiting for what is there, rather than for a full chunk, lets a trickle be abandoned.
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request.get(), &available, 0, 0) || available == 0) return;
        DWORD got = 0;
        const bool ok = InternetReadFile(request.get(), chunk, std::min<DWORD>(available, sizeof chunk), &got);
        const std::lock_guard lock(read.mutex);
        if (read.abandoned) return;
        read.bytes.append(chunk, std::min<size_t>(got, limits.maxBytes - read.bytes.size()));
        if (!ok || got == 0 || read.bytes.size() >= limits.maxBytes) return;
    }
}

// Waits for the read until the deadline, answering meanwhile what other threads and programs
// send to this thread (a broadcast waits for the answer of every top-level window); posted
// messages, input among them, wait for the message loop.
void waitAnsweringSentMessages(HANDLE finished, int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0));
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        if (MsgWaitForMultipleObjectsEx(1, &finished, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0) != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers them
    }
}

}  // namespace

std::string httpGet(const std::string& address, const Platform::WebRead& limits) {
    if (limits.maxBytes == 0) return {};
    const auto read = std::make_shared<PendingRead>();
    if (!read->finished) return {};
    try {
        std::thread([read, url = widen(address), limits] {
            readBody(*read, url, limits);
            SetEvent(read->finished.get());
        }).detach();
    } catch (const std::system_error&) {
        return {};
    }
    waitAnsweringSentMessages(read->finished.get(), limits.deadlineMilliseconds);
    const std::lock_guard lock(read->mutex);
    read->abandoned = true;
    return std::move(read->bytes);
}

}  // namespace framework::win32
