#pragma once
// An in-memory form: the controls' state as plain values, and driver calls by which tests act
// as the user (click, type, tick ...).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace framework::headless {

class HeadlessWindowSystem;

class HeadlessForm final : public Form {
public:
    HeadlessForm(HeadlessWindowSystem& system, const WindowDefinition& definition);
    ~HeadlessForm() override;

    const WindowDefinition& definition() const override { return definition_; }
    void open() override;
    bool alive() const override { return alive_; }
    void destroy() override;
    bool visible() const override { return alive_ && visible_; }
    void setVisible(bool visible) override;
    void bringToFront() override;

    Point position(std::string_view control) const override { return state(control).position; }
    void setPosition(std::string_view control, Point position) override { state(control).position = position; }
    bool controlVisible(std::string_view control) const override { return state(control).visible; }
    void setControlVisible(std::string_view control, bool visible) override { state(control).visible = visible; }
    bool enabled(std::string_view control) const override { return state(control).enabled; }
    void setEnabled(std::string_view control, bool enabled) override { state(control).enabled = enabled; }
    std::string text(std::string_view control) const override { return state(control).text; }
    void setText(std::string_view control, std::string_view text) override { state(control).text = text; }
    bool checked(std::string_view control) const override { return state(control).checked; }
    void setChecked(std::string_view control, bool checked) override { state(control).checked = checked; }
    int selectedIndex(std::string_view control) const override { return state(control).selected; }
    void setSelectedIndex(std::string_view control, int index) override;
    std::string selectedText(std::string_view control) const override;
    bool entryEnabled(std::string_view control, int index) const override;
    void setEntryEnabled(std::string_view control, int index, bool enabled) override;
    int timerInterval(std::string_view control) const override { return state(control).interval; }
    void setTimerInterval(std::string_view control, int milliseconds) override;
    void navigate(std::string_view control, std::string_view address) override { state(control).address = address; }
    std::optional<std::string> showFileDialog(std::string_view control) override;
    void focus(std::string_view control) override;
    void popUpMenu(std::string_view control) override;
    ReportRows& rows(std::string_view control) override;

    bool registerHotkey(int identifier, bool control, unsigned virtualKey) override;
    void connect(std::string_view control, Event event, Handler handler) override;
    void onCloseRequest(std::function<bool()> allowClose) override { allowClose_ = std::move(allowClose); }

    // Driver calls: the user acting on the window. Each delivers what the real window would.
    void click(std::string_view button);
    void clickEntry(std::string_view toolbarOrMenu, int index);
    void doubleClick(std::string_view edit);
    void pressLeftButton(std::string_view label);
    void rightClick(std::string_view list);
    void selectRow(std::string_view list, int row);
    // Types text into an edit box at its end, character by character, as keys would.
    void type(std::string_view edit, std::string_view text);
    // One tick of a running timer; a stopped timer does not tick.
    void tick(std::string_view timer);
    void notify(std::string_view invisibleLabel, int value);
    // A press of a registered hotkey, as the system delivers it.
    void pressHotkey(int identifier);
    // The close box: asks the close handler, then destroys the window if allowed.
    void requestClose();

    // Memory for the list's rows runs out beyond this many: inserting one more throws
    // std::bad_alloc, with the row in the list, as when filling its cells fails.
    void limitRows(std::string_view list, int rows) { state(list).rowLimit = rows; }

    // What the user will choose in the next file dialog (nothing = cancel).
    void setNextFileDialogChoice(std::optional<std::string> path) { nextFileChoice_ = std::move(path); }
    std::string address(std::string_view viewer) const { return state(viewer).address; }
    std::string focusedControl() const { return focused_; }
    int menuPopUps(std::string_view menu) const { return state(menu).popUps; }
    bool hasHandler(std::string_view control, Event event) const;

private:
    struct ControlState {
        const ControlDefinition* definition = nullptr;
        Point position;
        bool visible = true;
        bool enabled = true;
        std::string text;
        bool checked = false;
        int selected = -1;
        std::vector<bool> entryEnabled;
        int interval = 0;
        std::string address;
        int popUps = 0;
        std::unique_ptr<ReportRows> rows;
        int rowLimit = -1;  // none
        std::map<Event, Handler> handlers;
    };

    ControlState& state(std::string_view control);
    const ControlState& state(std::string_view control) const;
    void fire(std::string_view control, Event event, int argument = 0);

    HeadlessWindowSystem& system_;
    const WindowDefinition& definition_;
    std::map<std::string, ControlState, std::less<>> controls_;
    ControlState window_;  // the window's own events
    std::function<bool()> allowClose_;
    std::optional<std::string> nextFileChoice_;
    std::string focused_;
    bool alive_ = true;
    bool visible_ = false;
    bool opened_ = false;
};

}  // namespace framework::headless
