#pragma once

#include <windows.h>

#include <vector>

#include "framework/WindowSystem.h"
#include "framework/win32/FormHost.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

// Real windows on the thread that made this object, which is the user-interface thread.
class Win32WindowSystem final : public WindowSystem, private FormHost {
public:
    explicit Win32WindowSystem(HINSTANCE instance);
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    std::unique_ptr<Form> createForm(const WindowDefinition& definition) override;
    void runMessageLoop() override;
    void callOnUiThread(const std::function<void()>& call) override;

    HINSTANCE instance() const override { return instance_; }

private:
    void formCreated(HWND form) override;
    void formDestroyed(HWND form) override;
    static LRESULT CALLBACK callWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    bool handledAsDialogKey(MSG& message) const;

    HINSTANCE instance_;
    DWORD uiThread_;
    utils::Scoped<utils::NullIsNone<HWND, DestroyWindow>> callWindow_;
    std::vector<HWND> liveForms_;
};

}  // namespace framework::win32
