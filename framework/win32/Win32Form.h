#pragma once
// A real window built from a WindowDefinition. Group boxes are containers: a child window of
// their own holding the frame and the controls placed in it, so that moving or hiding a group
// box moves or hides everything in it. Places are kept in 96-DPI pixels and scaled to the
// monitor's DPI.

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Form.h"
#include "framework/win32/WebBrowserHost.h"

namespace framework::win32 {

class Win32WindowSystem;

class Win32Form final : public Form {
public:
    static void registerWindowClasses(HINSTANCE instance);

    Win32Form(Win32WindowSystem& system, const WindowDefinition& definition);
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
    struct Control {
        const ControlDefinition* definition = nullptr;
        int index = 0;
        HWND window = nullptr;   // the control; for a group box, its container
        HWND frame = nullptr;    // group box: the frame drawn in its container
        HWND spinner = nullptr;  // edit box: its up-down control
        HMENU menu = nullptr;
        Point position;          // 96-DPI pixels, relative to the container
        std::string text;        // captions kept outside a window (hyperlink, menu)
        std::vector<bool> entryEnabled;
        int interval = 0;
        std::unique_ptr<WebBrowserHost> browser;  // HTML viewer: made at the first navigation
        std::unique_ptr<ReportRows> rows;
        bool rowCountPending = false;  // the list view has yet to learn the row count
        std::map<Event, Handler> handlers;
    };

    static LRESULT CALLBACK formProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK containerProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK controlSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    // Messages of the form and of its containers; false: not handled here.
    bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleCommand(WPARAM wParam, LPARAM lParam);
    bool handleNotify(const NMHDR& header);
    LRESULT handleControlMessage(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow();
    void createFonts();
    HFONT fontOf(const Control& control) const;
    void createControl(Control& control);
    void createToolbar(Control& control, HWND parent);
    void loadToolbarImages(Control& toolbar);
    void createReportList(Control& control, HWND parent);
    void createDropDownList(Control& control, HWND parent);
    void createMenu(Control& control);
    void place(Control& control);
    void placeAll();
    void centreOnScreen();
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void onRowsChanged(Control& control, ReportRows::Change change, int row);
    void showRowCounts();
    void syncListSelection(Control& control);
    void onListSelectionChanged(Control& control);
    void fire(Control& control, Event event, int argument = 0);
    void fireWindow(Event event);
    void deliverHotkey(int identifier);

    Control& find(std::string_view name);
    const Control& find(std::string_view name) const;
    Control* byWindow(HWND window);
    HWND parentWindow(const Control& control) const;
    int scale(int value) const { return MulDiv(value, static_cast<int>(dpi_), 96); }

    Win32WindowSystem& system_;
    const WindowDefinition& definition_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT linkFont_ = nullptr;
    HFONT lineFont_ = nullptr;  // twelve-pixel lines
    HBRUSH background_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<Control> controls_;
    std::unordered_map<HWND, size_t> byWindow_;
    std::map<Event, Handler> windowHandlers_;
    std::function<bool()> allowClose_;
    std::wstring textBuffer_;  // text handed to list and toolbar notifications
    bool syncingSelection_ = false;
    bool opened_ = false;
};

}  // namespace framework::win32
