#pragma once
// The control kinds of the Win32 backend, one small type each.

#include <memory>
#include <string>
#include <vector>

#include "framework/win32/WebBrowserHost.h"
#include "framework/win32/Win32Control.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

// Buttons (ButtonControls.cpp)

class Button final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    std::string text() const override { return caption_; }
    void setText(std::string_view text) override;
    bool onCommand(WPARAM wParam) override;

private:
    LRESULT onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool captionPending_ = false;
};

class CheckBox final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    bool checked() const override;
    void setChecked(bool checked) override;
};

// Texts (TextControls.cpp)

// An edit box, with an up-down control beside it where the definition asks for one.
class Edit final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

protected:
    void placed(int width, int height) override;
    LRESULT onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void pasteIntegers(HWND window);

    HWND spinner_ = nullptr;
};

// A label, or a transparent one; it reports mouse presses once a handler asks for them.
class Label final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;

protected:
    void connected(Event event) override;
    LRESULT onOwnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A link that the shell opens; its caption is kept here, the window holds the markup.
class Hyperlink final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    std::string text() const override { return caption_; }
    void setText(std::string_view text) override;
    bool onNotify(const NMHDR& header) override;
};

// Lists (ListControls.cpp)

// A list view in report style whose rows live in ReportRows and are shown on demand.
class ReportList final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    void applyDpi() override;
    ReportRows* rows() override { return rows_.get(); }
    bool onNotify(const NMHDR& header) override;
    void showPendingRowCount() override;

private:
    void onRowsChanged(ReportRows::Change change, int row);
    void showSelection();
    void onUserSelection();

    std::unique_ptr<ReportRows> rows_;
    bool rowCountPending_ = false;  // the list view has yet to learn the row count
    bool showingSelection_ = false;
    std::wstring cellText_;
};

class DropDownList final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    std::string selectedText() const override;

protected:
    int windowHeight(int width, int height) override;
};

// Entries (EntryControls.cpp)

// A toolbar or a menu: entries by index, each enabled or not.
class EntryControl : public Win32Control {
public:
    EntryControl(FormContext& form, const ControlDefinition& definition, int index);
    bool entryEnabled(int index) const override;
    void setEntryEnabled(int index, bool enabled) override;

protected:
    virtual void showEntryEnabled(int index, bool enabled) = 0;

private:
    std::vector<bool> enabled_;
};

class Toolbar final : public EntryControl {
public:
    using EntryControl::EntryControl;
    void create(HWND parent) override;
    void applyDpi() override;
    bool onCommand(WPARAM wParam) override;
    bool onNotify(const NMHDR& header) override;
    const wchar_t* tooltip(int command) override;

protected:
    void showEntryEnabled(int index, bool enabled) override;

private:
    void loadImages();

    utils::ScopedImageList images_;
    std::wstring tooltip_;
};

// A pop-up menu, shown at the cursor.
class Menu final : public EntryControl {
public:
    using EntryControl::EntryControl;
    void create(HWND parent) override;
    void popUp() override;

protected:
    void showEntryEnabled(int index, bool enabled) override;

private:
    utils::ScopedMenu menu_;
};

// Containers (ContainerControls.cpp)

// A group box: a container window holding the frame and the controls placed in it, so that
// moving or hiding the group box moves or hides everything in it.
class GroupBox final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    void applyFonts() override;
    void keepFrameBehind() override;
    std::string text() const override;
    void setText(std::string_view text) override;

protected:
    void placed(int width, int height) override;

private:
    HWND frame_ = nullptr;
};

// The system's browser in a container, made at the first navigation so that start-up does not
// wait for it. The container's text is the address asked for last, for a look from outside.
class HtmlViewer final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND parent) override;
    void navigate(std::string_view address) override;
    void formDestroying() override { browser_.reset(); }  // while its window still exists

protected:
    void placed(int width, int height) override;

private:
    std::unique_ptr<WebBrowserHost> browser_;
};

// Kinds without a place (UnplacedControls.cpp)

class FileDialog final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND) override {}
    std::optional<std::string> showFileDialog() override;
};

// A timer of the form's window, under the control's identifier.
class Timer final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND) override {}
    int interval() const override { return interval_; }
    void setInterval(int milliseconds) override;
    void onTimer() override;

private:
    int interval_ = 0;
};

// Receives the form's hotkeys as notifications.
class InvisibleLabel final : public Win32Control {
public:
    using Win32Control::Win32Control;
    void create(HWND) override {}
};

// The control of the definition's kind (Controls.cpp).
std::unique_ptr<Win32Control> makeControl(FormContext& form, const ControlDefinition& definition, int index);

}  // namespace framework::win32
