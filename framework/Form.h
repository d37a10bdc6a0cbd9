#pragma once
// A live window built from a WindowDefinition, its controls addressed by name. This is the
// contract between the program and a backend (real Win32 windows, or in-memory ones for the
// unit tests). Program code uses it through the typed view of framework/Window.h.
// Every member is called on the user-interface thread.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Geometry.h"
#include "framework/ReportRows.h"
#include "framework/WindowDefinition.h"

namespace framework {

enum class Event : unsigned char {
    Created,           // window: all controls exist, the window is shown if it starts visible
    Destroying,        // window: about to be destroyed
    Click,             // buttons
    EntryClick,        // toolbar entries and menu items; argument: the entry index
    DoubleClick,       // edit boxes
    LeftButtonDown,    // labels
    RightClick,        // report list
    SelectionChanged,  // report list: the current row changed
    Tick,              // timers
    Notification,      // invisible labels; argument: the notification's value
};

using Handler = std::function<void(int argument)>;

class Form {
public:
    virtual ~Form() = default;

    virtual const WindowDefinition& definition() const = 0;

    // Shows the window if its definition says so, then delivers Created. Called once, after
    // the program has connected its handlers.
    virtual void open() = 0;
    // False once the window has been destroyed; every other member is then a no-op.
    virtual bool alive() const = 0;
    // Destroys the window; Destroying is delivered first. No close handler is asked.
    virtual void destroy() = 0;
    virtual bool visible() const = 0;
    // A window that was hidden comes up active; one that shows already stays where it is.
    virtual void setVisible(bool visible) = 0;
    virtual void bringToFront() = 0;

    // Controls. A name that the definition does not hold is a programming error (throws).
    virtual Point position(std::string_view control) const = 0;
    virtual void setPosition(std::string_view control, Point position) = 0;
    virtual bool controlVisible(std::string_view control) const = 0;
    virtual void setControlVisible(std::string_view control, bool visible) = 0;
    virtual bool enabled(std::string_view control) const = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    // The caption of a captioned control, or the content of an edit box.
    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual bool checked(std::string_view control) const = 0;
    virtual void setChecked(std::string_view control, bool checked) = 0;
    virtual int selectedIndex(std::string_view control) const = 0;
    virtual void setSelectedIndex(std::string_view control, int index) = 0;
    virtual std::string selectedText(std::string_view control) const = 0;
    // Toolbar entries and menu items, by index (separators counted).
    virtual bool entryEnabled(std::string_view control, int index) const = 0;
    virtual void setEntryEnabled(std::string_view control, int index, bool enabled) = 0;
    virtual int timerInterval(std::string_view control) const = 0;
    // Milliseconds; 0 stops the timer.
    virtual void setTimerInterval(std::string_view control, int milliseconds) = 0;
    virtual void navigate(std::string_view control, std::string_view address) = 0;
    // The chosen file's path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> showFileDialog(std::string_view control) = 0;
    virtual void focus(std::string_view control) = 0;
    // Pops the menu up at the cursor; a chosen item arrives as EntryClick.
    virtual void popUpMenu(std::string_view control) = 0;
    virtual ReportRows& rows(std::string_view control) = 0;

    // A system-wide hotkey for this window; each press is delivered as Notification (argument:
    // the identifier) to the window's invisible label that has a Notification handler. False
    // when the system refuses it (another program holds the key).
    virtual bool registerHotkey(int identifier, bool control, unsigned virtualKey) = 0;

    // Events of the window itself use the empty control name.
    virtual void connect(std::string_view control, Event event, Handler handler) = 0;
    // Asked when the user closes the window (close box, Alt+F4): true lets it be destroyed.
    // Without a handler the window is destroyed.
    virtual void onCloseRequest(std::function<bool()> allowClose) = 0;
};

}  // namespace framework
