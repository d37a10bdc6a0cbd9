#pragma once
// The system's WebBrowser control embedded in a window of ours: a minimal in-place OLE
// container. Where the control cannot be made (no browser engine, as under Wine without one),
// the window simply stays blank.

#include <windows.h>

#include <string_view>

struct IOleObject;
struct IWebBrowser2;

namespace framework::win32 {

class WebBrowserHost {
public:
    // Creates the control in the window, filling its client area.
    explicit WebBrowserHost(HWND window);
    ~WebBrowserHost();
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;

    bool created() const { return browser_ != nullptr; }
    void navigate(std::string_view address);
    // The window's client area changed.
    void fit();

private:
    class Site;

    HWND window_;
    Site* site_ = nullptr;
    IOleObject* object_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
};

}  // namespace framework::win32
