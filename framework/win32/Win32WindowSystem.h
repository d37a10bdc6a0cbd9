#pragma once

#include <windows.h>

#include <vector>

#include "framework/WindowSystem.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

class Win32Form;

// Real windows on the thread that made this object, which is the user-interface thread.
class Win32WindowSystem final : public WindowSystem {
public:
    explicit Win32WindowSystem(HINSTANCE instance);
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    std::unique_ptr<Form> createForm(const WindowDefinition& definition) override;
    void runMessageLoop() override;
    void callOnUiThread(const std::function<void()>& call) override;

    HINSTANCE instance() const { return instance_; }
    void formCreated(Win32Form& form);
    void formDestroyed(Win32Form& form);

private:
    static LRESULT CALLBACK callWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    bool handledAsDialogKey(MSG& message) const;

    HINSTANCE instance_;
    DWORD uiThread_;
    utils::Scoped<utils::NullIsNone<HWND, DestroyWindow>> callWindow_;
    std::vector<Win32Form*> liveForms_;
};

}  // namespace framework::win32
