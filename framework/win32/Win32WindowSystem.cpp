#include "framework/win32/Win32WindowSystem.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/win32/Win32Form.h"

namespace framework::win32 {
namespace {

constexpr wchar_t CallWindowClass[] = L"LandouUiThreadCalls";
constexpr UINT RunCallMessage = WM_APP + 1;

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance) : instance_(instance), uiThread_(GetCurrentThreadId()) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Win32Form::registerWindowClasses(instance_);

    WNDCLASSEXW calls{};
    calls.cbSize = sizeof(calls);
    calls.lpfnWndProc = callWindowProcedure;
    calls.hInstance = instance_;
    calls.lpszClassName = CallWindowClass;
    RegisterClassExW(&calls);
    callWindow_.reset(CreateWindowExW(0, CallWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr));
}

std::unique_ptr<Form> Win32WindowSystem::createForm(const WindowDefinition& definition) {
    FormHost& host = *this;
    return std::make_unique<Win32Form>(host, definition);
}

void Win32WindowSystem::runMessageLoop() {
    if (liveForms_.empty()) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handledAsDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Tab and arrow navigation between the controls of a form.
bool Win32WindowSystem::handledAsDialogKey(MSG& message) const {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool ours = std::find(liveForms_.begin(), liveForms_.end(), root) != liveForms_.end();
    return ours && IsDialogMessageW(root, &message);
}

void Win32WindowSystem::callOnUiThread(const std::function<void()>& call) {
    if (GetCurrentThreadId() == uiThread_) {
        call();
        return;
    }
    // A window that is gone (the program is ending) makes this a no-op.
    SendMessageW(callWindow_.get(), RunCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}

LRESULT CALLBACK Win32WindowSystem::callWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunCallMessage) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32WindowSystem::formCreated(HWND form) { liveForms_.push_back(form); }

void Win32WindowSystem::formDestroyed(HWND form) {
    liveForms_.erase(std::remove(liveForms_.begin(), liveForms_.end(), form), liveForms_.end());
    if (liveForms_.empty()) PostQuitMessage(0);
}

}  // namespace framework::win32
