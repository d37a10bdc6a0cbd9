#pragma once
// The system's WebBrowser control embedded in a window of ours: a minimal in-place OLE
// container. Where the control cannot be made (no browser engine, as under Wine without one),
// the window simply stays blank.

#include <windows.h>

#include <string_view>

#include "utils/ScopedWin.h"

struct IWebBrowser2;

namespace framework::win32 {

class WebBrowserHost {
public:
    // Creates the control in the window, filling its client area.
    explicit WebBrowserHost(HWND window);
    ~WebBrowserHost();
    WebBrowserHost(const WebBrowserHost&) = delete;
    WebBrowserHost& operator=(const WebBrowserHost&) = delete;

    bool created() const { return static_cast<bool>(browser_); }
    void navigate(std::string_view address);
    // The window's client area changed.
    void fit();

private:
    class Site;

    HWND window_;
    // Let go of in reverse: the browser, the control, then the site that the control used.
    utils::ComPtr<Site> site_;
    utils::ComPtr<IOleObject> object_;
    utils::ComPtr<IWebBrowser2> browser_;
};

}  // namespace framework::win32
