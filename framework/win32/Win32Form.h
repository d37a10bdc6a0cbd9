#pragma once
// A real window built from a WindowDefinition: one object per control (Controls.h), to which
// the form routes each message by the window that sent it. Places are kept in 96-DPI pixels
// and scaled to the monitor's DPI.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Form.h"
#include "framework/win32/FormFonts.h"
#include "framework/win32/FormHost.h"
#include "framework/win32/Win32Control.h"

namespace framework::win32 {

class Win32Form final : public Form, private FormContext {
public:
    static void registerWindowClasses(HINSTANCE instance);

    Win32Form(FormHost& host, const WindowDefinition& definition);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    HWND handle() const { return window_; }

    const WindowDefinition& definition() const override { return definition_; }
    void open() override;
    bool alive() const override { return window_ != nullptr; }
    void destroy() override;
    bool visible() const override;
    void setVisible(bool visible) override;
    void bringToFront() override;

    Point position(std::string_view control) const override;
    void setPosition(std::string_view control, Point position) override;
    bool controlVisible(std::string_view control) const override;
    void setControlVisible(std::string_view control, bool visible) override;
    bool enabled(std::string_view control) const override;
    void setEnabled(std::string_view control, bool enabled) override;
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    bool checked(std::string_view control) const override;
    void setChecked(std::string_view control, bool checked) override;
    int selectedIndex(std::string_view control) const override;
    void setSelectedIndex(std::string_view control, int index) override;
    std::string selectedText(std::string_view control) const override;
    bool entryEnabled(std::string_view control, int index) const override;
    void setEntryEnabled(std::string_view control, int index, bool enabled) override;
    int timerInterval(std::string_view control) const override;
    void setTimerInterval(std::string_view control, int milliseconds) override;
    void navigate(std::string_view control, std::string_view address) override;
    std::optional<std::string> showFileDialog(std::string_view control) override;
    void focus(std::string_view control) override;
    void popUpMenu(std::string_view control) override;
    ReportRows& rows(std::string_view control) override;

    bool registerHotkey(int identifier, bool control, unsigned virtualKey) override;
    void connect(std::string_view control, Event event, Handler handler) override;
    void onCloseRequest(std::function<bool()> allowClose) override { allowClose_ = std::move(allowClose); }

private:
    // What the controls need of the form.
    HINSTANCE instance() const override;
    HWND formWindow() const override { return window_; }
    int scale(int pixels) const override { return MulDiv(pixels, static_cast<int>(dpi_), 96); }
    const FormFonts& fonts() const override { return fonts_; }
    void showRowCountsSoon() override;
    LRESULT containerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT formMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that the form and its containers handle alike; false: not handled here.
    bool handleSharedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleNotify(const NMHDR& header);

    void createWindow();
    void centreOnScreen();
    void createControl(Win32Control& control);
    bool seenAtFirstShow(const Win32Control& control) const;
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void deliverHotkey(int identifier);
    void fireWindow(Event event);

    Win32Control& find(std::string_view name) const;
    Win32Control* byWindow(HWND window) const;

    FormHost& host_;
    const WindowDefinition& definition_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    FormFonts fonts_;
    HBRUSH background_ = nullptr;  // a stock or system brush, never deleted
    std::vector<std::unique_ptr<Win32Control>> controls_;
    std::vector<Win32Control*> unseen_;  // made as the form is first shown
    std::unordered_map<HWND, Win32Control*> byWindow_;
    std::map<Event, Handler> windowHandlers_;
    std::function<bool()> allowClose_;
    bool opened_ = false;
};

}  // namespace framework::win32
