#pragma once
// What a form needs of the window system that made it: the module its windows belong to, and a
// place to say that it came and went (the message loop ends when the last form has gone).

#include <windows.h>

namespace framework::win32 {

class FormHost {
public:
    virtual HINSTANCE instance() const = 0;
    virtual void formCreated(HWND form) = 0;
    virtual void formDestroyed(HWND form) = 0;

protected:
    ~FormHost() = default;
};

}  // namespace framework::win32
