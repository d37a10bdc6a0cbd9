#pragma once
// A control of a form in the Win32 backend: the base of one small type per control kind
// (Controls.h). Each kind makes its own windows, places them, answers what the form's owner
// asks of it by name and handles the notifications its windows send; the form routes messages
// to it by window.

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Form.h"
#include "framework/win32/Identifiers.h"

namespace framework::win32 {

class FormFonts;

// A child window's identifier, as CreateWindowEx takes it.
inline HMENU childIdentifier(int identifier) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)); }

// What a control needs of the form that holds it.
class FormContext {
public:
    virtual HINSTANCE instance() const = 0;
    virtual HWND formWindow() const = 0;  // null once the form's window is gone
    virtual int scale(int pixels) const = 0;  // 96-DPI pixels at the form's DPI
    virtual const FormFonts& fonts() const = 0;
    virtual void showRowCountsSoon() = 0;  // once the current burst of changes is over
    // Messages to the containers (ContainerClass) that controls make.
    virtual LRESULT containerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~FormContext() = default;
};

class Win32Control {
public:
    Win32Control(FormContext& form, const ControlDefinition& definition, int index);
    virtual ~Win32Control() = default;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    const ControlDefinition& definition() const { return definition_; }
    int identifier() const { return FirstControlId + index_; }
    HWND window() const { return window_; }  // for a group box its container; null for kinds without one

    // Making and placing.
    virtual void create(HWND parent) = 0;
    virtual void applyFonts();
    virtual void applyDpi() { applyFonts(); }  // the form's DPI changed; placing follows
    virtual void keepFrameBehind() {}          // a container's frame stays behind what it holds
    void place();
    Point position() const { return position_; }
    void setPosition(Point position) { position_ = position; }

    // What the form's owner asks by name. The defaults serve the kinds that lack the feature.
    virtual bool visible() const;
    virtual void setVisible(bool visible);
    virtual bool enabled() const;
    virtual void setEnabled(bool enabled);
    virtual std::string text() const;
    virtual void setText(std::string_view text);
    virtual bool checked() const { return false; }
    virtual void setChecked(bool) {}
    virtual int selectedIndex() const { return -1; }
    virtual void setSelectedIndex(int) {}
    virtual std::string selectedText() const { return {}; }
    virtual bool entryEnabled(int) const { return false; }
    virtual void setEntryEnabled(int, bool) {}
    virtual int interval() const { return 0; }
    virtual void setInterval(int) {}
    virtual void navigate(std::string_view) {}
    virtual std::optional<std::string> showFileDialog() { return std::nullopt; }
    virtual void popUp() {}
    virtual ReportRows* rows() { return nullptr; }
    void focus();

    void connect(Event event, Handler handler);
    bool handles(Event event) const { return handlers_.count(event) != 0; }
    void fire(Event event, int argument = 0);
    void disconnectAll() { handlers_.clear(); }

    // Messages the form routes to the control whose window sent them; false: not handled.
    virtual bool onCommand(WPARAM) { return false; }
    virtual bool onNotify(const NMHDR&) { return false; }
    // A toolbar's tooltip window asks by command identifier; null: not this control's.
    virtual const wchar_t* tooltip(int) { return nullptr; }
    virtual void onTimer() {}
    virtual void showPendingRowCount() {}
    virtual void formDestroying() {}

protected:
    // A child window in the parent, with the control's identifier, visibility and enabled state.
    HWND createWindow(HWND parent, DWORD exStyle, const wchar_t* windowClass, std::string_view text, DWORD style);
    // The height the window takes for the height its definition gives (a drop-down's list).
    virtual int windowHeight(int /*width*/, int height) { return height; }
    virtual void placed(int /*width*/, int /*height*/) {}
    virtual void connected(Event) {}
    // Sends the messages of the control's own window to onOwnMessage, through the window's own
    // procedure and user data: a common-controls subclass looks its list up as a window property
    // at every message, which costs a round trip to the server under Wine.
    void subclass();
    virtual LRESULT onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // What the window's class does with the message.
    LRESULT classProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcW(classProcedure_, window, message, wParam, lParam);
    }

    FormContext& form_;
    HWND window_ = nullptr;
    std::string caption_;  // the caption, for kinds that keep it outside a window

private:
    static LRESULT CALLBACK subclassProcedure(HWND, UINT, WPARAM, LPARAM);

    const ControlDefinition& definition_;
    int index_;
    Point position_;
    std::map<Event, Handler> handlers_;
    WNDPROC classProcedure_ = nullptr;  // set by subclass()
};

// The window's text, asked of the procedure given or, without one, of the window.
std::wstring windowText(HWND window, WNDPROC procedure = nullptr);

}  // namespace framework::win32
