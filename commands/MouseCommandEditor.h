#pragma once
// MouseCommandWindow: composes one mouse row. Created hidden at start-up and kept (shown and
// hidden) until the main window goes. Its capture, click-mode, confirm and cursor-lock
// operations serve the global hotkeys as well as its buttons, whether it shows or not.

#include <memory>

#include "automation/AutomationObject.h"
#include "commands/EditorState.h"
#include "commands/KeyCommandEditor.h"
#include "framework/Platform.h"
#include "framework/WindowSystem.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"

namespace commands {

class MouseCommandEditor {
public:
    MouseCommandEditor(framework::WindowSystem& windows, framework::Form& main, EditorState& state,
                       framework::Platform& platform, const automation::AutomationObject& automation,
                       KeyCommandEditor& keyEditor);

    // Creates the window, hidden; its close box only hides it.
    void load();
    // Destroys the window, bypassing its close handling.
    void destroy();
    framework::Window<ui::MouseCommandWindow> window() const {
        return framework::Window<ui::MouseCommandWindow>(*form_);
    }

    void openForAdding();
    void openForInserting();
    // Opens the selected row in its editor: mouse rows here, text and key rows in the keyboard
    // editor; other rows (delay rows) and no selection: nothing.
    void loadForModifying();
    void confirm();
    void close();

    // Hotkey operations
    void capturePosition();
    void nextClickMode();
    void lock();
    void unlock();
    // One tick of the lock: the cursor goes to the point in the coordinate boxes.
    void holdCursor();

private:
    void present() const;

    framework::WindowSystem& windows_;
    framework::Window<ui::MainWindow> main_;
    EditorState& state_;
    framework::Platform& platform_;
    const automation::AutomationObject& automation_;
    KeyCommandEditor& keyEditor_;
    std::unique_ptr<framework::Form> form_;
};

}  // namespace commands
