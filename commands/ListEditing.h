#pragma once
// Editing the command list as a whole or row by row, from its context menu and the toolbar.

#include <string_view>

#include "commands/CommandList.h"
#include "commands/MouseCommandEditor.h"
#include "framework/Platform.h"
#include "ui/MainWindowDefinition.h"

namespace commands {

class ListEditing {
public:
    ListEditing(framework::Form& main, framework::Platform& platform, MouseCommandEditor& mouseEditor);

    // Enables the eight commands that need a selected row while one is selected, else disables
    // them.
    void refreshSelectionCommands();
    // The context menu pops up at the cursor only while a row is selected.
    void openContextMenu();
    void deleteSelected();
    void clearAfterAsking();
    void clear();
    void modifySelected();
    void moveSelectedUp();
    void moveSelectedDown();
    // Inserts a delay row ("100毫秒", "1000毫秒" or "10秒") after the selected row.
    void insertDelay(std::string_view delay);

private:
    CommandList list() const { return CommandList(main_.rows(ui::main_window::超级列表框_鼠标命令)); }
    void moveSelected(int step);

    framework::Window<ui::MainWindow> main_;
    framework::Platform& platform_;
    MouseCommandEditor& mouseEditor_;
};

}  // namespace commands
