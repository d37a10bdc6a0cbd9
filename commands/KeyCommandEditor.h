#pragma once
// KeyCommandWindow: composes text rows ("键盘") and key rows ("模拟"). The window is created
// when it is opened and destroyed by an insert or modify confirm or by its close box; there is
// never more than one.

#include <memory>

#include "commands/EditorState.h"
#include "framework/Platform.h"
#include "framework/WindowSystem.h"
#include "ui/KeyCommandWindowDefinition.h"
#include "ui/MainWindowDefinition.h"

namespace commands {

class KeyCommandEditor {
public:
    KeyCommandEditor(framework::WindowSystem& windows, framework::Form& main, EditorState& state,
                     framework::Platform& platform);

    // The open window, or null.
    framework::Form* openForm() const { return form_ && form_->alive() ? form_.get() : nullptr; }

    void openForAdding();
    void openForInserting();
    void loadTextForModifying();
    void loadKeyForModifying();
    void confirmText();
    void confirmKey();

private:
    enum class Box { Text, Key };

    // Opens the window, or brings the open one to the front with its contents.
    framework::Window<ui::KeyCommandWindow> open();
    void confirm(Box box);

    framework::WindowSystem& windows_;
    framework::Window<ui::MainWindow> main_;
    EditorState& state_;
    framework::Platform& platform_;
    std::unique_ptr<framework::Form> form_;
};

}  // namespace commands
