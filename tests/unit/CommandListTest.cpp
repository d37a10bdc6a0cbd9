// Rows, their numbering and the commands that need a selected row.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "commands/CommandList.h"

namespace mw = ui::main_window;
using Rows = std::vector<std::string>;

namespace {

struct StartedProgram : Program {
    StartedProgram() { app.start(); }
    commands::CommandList commands() { return commands::CommandList(list()); }
    void addMouseRow(const char* x) {
        const auto editor = app.mouseEditor().window();
        editor.setText(ui::mouse_window::编辑框_X坐标, x);
        app.mouseEditor().confirm();
    }
};

}  // namespace

TEST(CommandList, NumbersAreCreationCountersNeverRenumbered) {
    StartedProgram p;
    for (const char* x : {"a", "b", "c"}) p.addMouseRow(x);
    EXPECT_EQ(p.list().cell(0, 0) + p.list().cell(1, 0) + p.list().cell(2, 0), "123");
    p.list().deleteRow(1);
    p.addMouseRow("d");
    EXPECT_EQ(p.list().cell(0, 0) + p.list().cell(1, 0) + p.list().cell(2, 0), "133");
}

TEST(CommandList, ADelayRowAfterTheFirstOfThreeReadsFour) {
    StartedProgram p;
    for (const char* x : {"a", "b", "c"}) p.addMouseRow(x);
    p.select(0);
    p.menu(mw::menu::Delay100ms);
    ASSERT_EQ(p.list().rowCount(), 4);
    EXPECT_EQ(p.rows()[1], "4|延时|*|*|*|*|100毫秒");
}

TEST(CommandList, CreatedRowsHaveNoEmptyCell) {
    StartedProgram p;
    const auto editor = p.app.mouseEditor().window();
    for (auto box : {ui::mouse_window::编辑框_X坐标, ui::mouse_window::编辑框_Y坐标, ui::mouse_window::编辑框_点击频率})
        editor.setText(box, "");
    p.app.mouseEditor().confirm();
    EXPECT_EQ(p.rows(), (Rows{"1|鼠标|0|0|移动到此|100|*"}));
    EXPECT_EQ(p.commands().cellText(7, 0), "");
    EXPECT_EQ(p.commands().cellText(0, 9), "");
}

TEST(CommandList, SelectionEnablesTheEightSelectionCommands) {
    StartedProgram p;
    auto enabledCommands = [&] {
        std::string out;
        for (int entry : {mw::toolbar::Delete, mw::toolbar::Modify, mw::toolbar::Clear})
            out += p.main().entryEnabled(mw::工具条_添加工具.name, entry) ? '1' : '0';
        for (int item : {mw::menu::Delete, mw::menu::Modify, mw::menu::Clear})
            out += p.main().entryEnabled(mw::右键单击.name, item) ? '1' : '0';
        for (auto button : {mw::按钮_插入鼠标.name, mw::按钮_插入键盘.name}) out += p.main().enabled(button) ? '1' : '0';
        return out;
    };
    EXPECT_EQ(enabledCommands(), "00000000");
    p.addMouseRow("1");
    p.addMouseRow("2");
    EXPECT_EQ(enabledCommands(), "00000000");  // a new row is not selected
    p.select(1);
    EXPECT_EQ(enabledCommands(), "11111111");
    p.select(-1);
    EXPECT_EQ(enabledCommands(), "00000000");
    p.select(0);
    p.toolbar(mw::toolbar::Delete);  // the selected row goes: no row is current any more
    EXPECT_EQ(enabledCommands(), "00000000");
    // The menu items that never need refreshing stay enabled.
    for (int item : {mw::menu::MoveDown, mw::menu::MoveUp, mw::menu::Delay100ms, mw::menu::Delay1000ms, mw::menu::Delay10s})
        EXPECT_TRUE(p.main().entryEnabled(mw::右键单击.name, item));
}
