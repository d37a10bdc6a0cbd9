#pragma once
// What a run touches on the windows besides the command list: the run button, whose caption is
// the run state, the run count box, the hide option, and the two windows that the option hides.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "framework/Window.h"
#include "ui/MainWindowDefinition.h"

namespace playback {

class RunControls {
public:
    // The mouse editor's window is made after the player, so the player is given how to hide it.
    RunControls(framework::Form& main, std::function<void()> hideMouseEditor)
        : main_(main), hideMouseEditor_(std::move(hideMouseEditor)) {}

    std::string caption() const { return main_.caption(ui::main_window::按钮_运行); }
    void setCaption(std::string_view caption) const { main_.setCaption(ui::main_window::按钮_运行, caption); }
    std::string runCount() const { return main_.text(ui::main_window::编辑框_运行次数); }
    void setRunCount(std::string_view count) const { main_.setText(ui::main_window::编辑框_运行次数, count); }
    bool hidesWindows() const { return main_.checked(ui::main_window::选择框_影藏); }
    // The mouse editor and the main window; the keyboard editor is left as it is.
    void hideWindows() const {
        hideMouseEditor_();
        main_.hide();
    }
    void showMainWindow() const { main_.show(); }

private:
    framework::Window<ui::MainWindow> main_;
    std::function<void()> hideMouseEditor_;
};

}  // namespace playback
