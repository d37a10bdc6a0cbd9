// Delete, clear, move, delay rows and the way into the editors' modify mode.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "commands/CommandList.h"

using namespace framework;
namespace mw = ui::main_window;
using Rows = std::vector<std::string>;

namespace {

// A started program whose list holds text rows P, Q, R numbered 1, 2, 3.
struct ThreeRows : Program {
    ThreeRows() {
        app.start();
        commands::CommandList commands(list());
        for (std::string_view name : {"P", "Q", "R"}) commands.createRow(-1, "键盘", {"*", "*", "*", "*", name});
    }
    std::string order() {
        std::string out;
        for (int r = 0; r < list().rowCount(); ++r) out += list().cell(r, 6);
        return out;
    }
};

}  // namespace

TEST(ListEditing, MovesByOnePlaceCarryingTheNumber) {
    struct Case {
        int selected;
        int item;
        const char* after;
    };
    for (const Case& c : {Case{1, mw::menu::MoveUp, "QPR"}, Case{0, mw::menu::MoveDown, "QPR"},
                          Case{1, mw::menu::MoveDown, "PRQ"}, Case{0, mw::menu::MoveUp, "QRP"},
                          Case{2, mw::menu::MoveDown, "PQR"}, Case{2, mw::menu::MoveUp, "PRQ"}}) {
        ThreeRows p;
        p.select(c.selected);
        const std::string moved = p.rows()[static_cast<size_t>(c.selected)];
        p.menu(c.item);
        EXPECT_EQ(p.order(), c.after) << "row " << c.selected << " item " << c.item;
        const auto rows = p.rows();
        EXPECT_NE(std::find(rows.begin(), rows.end(), moved), rows.end()) << "the moved row changed";
        EXPECT_EQ(p.list().selectedRow(), -1);  // the row comes back unselected
    }
}

TEST(ListEditing, AMoveKeepsCellsHoldingTheRecordSeparator) {
    ThreeRows p;
    p.list().setCell(1, 6, "a+++---b]]][[[c");
    p.list().setCell(1, 2, "");
    p.select(1);
    p.menu(mw::menu::MoveUp);
    EXPECT_EQ(p.rows(), (Rows{"2|键盘||*|*|*|a+++---b]]][[[c", "1|键盘|*|*|*|*|P", "3|键盘|*|*|*|*|R"}));
}

TEST(ListEditing, DeleteActsAtOnceAndLeavesGaps) {
    ThreeRows p;
    p.select(1);
    p.menu(mw::menu::Delete);
    EXPECT_EQ(p.order(), "PR");
    p.select(0);
    p.toolbar(mw::toolbar::Delete);
    EXPECT_EQ(p.rows(), (Rows{"3|键盘|*|*|*|*|R"}));
    EXPECT_TRUE(p.platform.messages().empty());
}

TEST(ListEditing, TheMenuAsksBeforeClearingTheToolbarDoesNot) {
    ThreeRows p;
    p.select(0);
    p.platform.answerNextMessage(MessageAnswer::No);
    p.menu(mw::menu::Clear);
    EXPECT_EQ(p.order(), "PQR");
    const headless::ShownMessage question{"是否清空所有?", "蓝豆", MessageIcon::Question, MessageButtons::YesNo};
    EXPECT_EQ(p.platform.messages(), std::vector<headless::ShownMessage>{question});

    p.platform.answerNextMessage(MessageAnswer::Yes);
    p.menu(mw::menu::Clear);
    EXPECT_EQ(p.list().rowCount(), 0);

    ThreeRows q;
    q.select(2);
    q.toolbar(mw::toolbar::Clear);
    EXPECT_EQ(q.list().rowCount(), 0);
    EXPECT_TRUE(q.platform.messages().empty());
}

TEST(ListEditing, TheContextMenuOpensOnlyWithASelectedRow) {
    ThreeRows p;
    p.main().rightClick(mw::超级列表框_鼠标命令.name);
    EXPECT_EQ(p.main().menuPopUps(mw::右键单击.name), 0);
    p.select(1);
    // Whatever left the row commands stale, they are brought up to date as the menu opens.
    for (int item : {mw::menu::Delete, mw::menu::Modify, mw::menu::Clear}) p.main().setEntryEnabled(mw::右键单击.name, item, false);
    p.main().setEntryEnabled(mw::工具条_添加工具.name, mw::toolbar::Delete, false);
    p.main().rightClick(mw::超级列表框_鼠标命令.name);
    EXPECT_EQ(p.main().menuPopUps(mw::右键单击.name), 1);
    for (int item : {mw::menu::Delete, mw::menu::Modify, mw::menu::Clear})
        EXPECT_TRUE(p.main().entryEnabled(mw::右键单击.name, item)) << item;
    EXPECT_TRUE(p.main().entryEnabled(mw::工具条_添加工具.name, mw::toolbar::Delete));
}

TEST(ListEditing, DelayRowsGoAfterTheSelectionOrFirst) {
    ThreeRows p;
    p.select(1);
    p.menu(mw::menu::Delay10s);
    p.select(-1);
    p.main().clickEntry(mw::右键单击.name, mw::menu::Delay1000ms);  // nothing selected: index 0
    EXPECT_EQ(p.rows(), (Rows{"5|延时|*|*|*|*|1000毫秒", "1|键盘|*|*|*|*|P", "2|键盘|*|*|*|*|Q",
                              "4|延时|*|*|*|*|10秒", "3|键盘|*|*|*|*|R"}));
}

TEST(ListEditing, ModifyOpensTheEditorOfTheRowsKind) {
    ThreeRows p;
    commands::CommandList(p.list()).createRow(-1, "鼠标", {"10", "20", "右键单击", "300", "*"});
    commands::CommandList(p.list()).createRow(-1, "延时", {"*", "*", "*", "*", "10秒"});
    commands::CommandList(p.list()).createRow(-1, "模拟", {"*", "*", "*", "*", "enter"});

    p.select(4);  // a delay row: nothing
    p.toolbar(mw::toolbar::Modify);
    EXPECT_FALSE(p.mouseEditor().visible());
    EXPECT_EQ(p.app.keyEditor().openForm(), nullptr);
    EXPECT_FALSE(p.app.editorState().mouseModify);

    p.select(3);
    p.menu(mw::menu::Modify);
    EXPECT_TRUE(p.mouseEditor().visible());
    EXPECT_EQ(p.mouseEditor().text("编辑框_X坐标"), "10");
    EXPECT_EQ(p.mouseEditor().text("编辑框_Y坐标"), "20");
    EXPECT_EQ(p.mouseEditor().text("编辑框_点击频率"), "300");
    EXPECT_EQ(p.mouseEditor().selectedText("组合框1"), "右键单击");

    p.select(1);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.keyEditor().text("编辑框_输入文字"), "Q");
    EXPECT_EQ(p.keyEditor().text("按钮_添加"), "修改");

    p.select(5);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.keyEditor().text("编辑框1"), "enter");
    EXPECT_EQ(p.keyEditor().text("按钮_添加模拟按键"), "修改");
    EXPECT_EQ(p.keyEditor().focusedControl(), "编辑框1");
}

TEST(ListEditing, NothingChangesWithoutASelectionOrOnAnEmptyList) {
    ThreeRows p;
    const Rows before = p.rows();
    auto& editing = p.app.listEditing();
    editing.deleteSelected();
    editing.moveSelectedUp();
    editing.moveSelectedDown();
    editing.modifySelected();
    EXPECT_EQ(p.rows(), before);
    EXPECT_FALSE(p.mouseEditor().visible());
    EXPECT_EQ(p.app.keyEditor().openForm(), nullptr);

    editing.clear();
    for (int i = 0; i < 2; ++i) {
        editing.deleteSelected();
        editing.moveSelectedUp();
        editing.modifySelected();
        editing.clear();
    }
    EXPECT_EQ(p.list().rowCount(), 0);
}
