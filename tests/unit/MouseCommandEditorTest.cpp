// The mouse editor's modes, captions, placeholders and hotkey operations.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "commands/CommandList.h"

using namespace framework;
namespace mw = ui::main_window;
namespace ed = ui::mouse_window;
using Rows = std::vector<std::string>;

namespace {

constexpr auto AddCaptions = "确认添加\r\nCtrl+回车/关闭";
constexpr auto InsertCaptions = "插入\r\nCtrl+回车/关闭";
constexpr auto ModifyCaptions = "确认修改/取消修改";

struct Editor : Program {
    Editor(int rows = 0) {
        app.start();
        commands::CommandList list(this->list());
        for (int r = 0; r < rows; ++r) list.createRow(-1, "鼠标", {"1", "1", "移动到此", "100", "*"});
    }
    headless::HeadlessForm& editor() { return mouseEditor(); }
    std::string captions() { return editor().text(ed::按钮_添加命令.name) + "/" + editor().text(ed::按钮_取消添加.name); }
    void fill(const char* x, const char* y, const char* delay, int mode) {
        editor().setText(ed::编辑框_X坐标.name, x);
        editor().setText(ed::编辑框_Y坐标.name, y);
        editor().setText(ed::编辑框_点击频率.name, delay);
        editor().setSelectedIndex(ed::组合框1.name, mode);
    }
    void confirm() { editor().click(ed::按钮_添加命令.name); }
};

}  // namespace

TEST(MouseCommandEditor, AddModeAppendsAndStaysOpen) {
    Editor p;
    EXPECT_EQ(p.captions(), " 确认添加\r\n(Ctrl+回车)/关闭");  // as created
    p.main().click(mw::按钮_添加鼠标.name);
    EXPECT_TRUE(p.editor().visible());
    EXPECT_EQ(p.captions(), AddCaptions);
    p.fill("100", "200", "1500", 1);
    for (int i = 0; i < 3; ++i) p.confirm();
    EXPECT_EQ(p.rows(), (Rows{"1|鼠标|100|200|左键单击|1500|*", "2|鼠标|100|200|左键单击|1500|*",
                              "3|鼠标|100|200|左键单击|1500|*"}));
    EXPECT_TRUE(p.editor().visible());
    EXPECT_EQ(p.editor().text(ed::编辑框_X坐标.name), "100");
}

TEST(MouseCommandEditor, EmptyBoxesGiveThePlaceholders) {
    Editor p;
    p.fill("", "", "", 3);
    p.confirm();
    EXPECT_EQ(p.rows(), (Rows{"1|鼠标|0|0|右键单击|100|*"}));
    p.fill("  ", "-5", "12.7", 2);  // stored as they stand
    p.confirm();
    EXPECT_EQ(p.rows()[1], "2|鼠标|  |-5|左键双击|12.7|*");
}

TEST(MouseCommandEditor, InsertModePlacesAfterTheSelectionFixedAtOpening) {
    Editor p(5);
    p.select(1);
    p.main().click(mw::按钮_插入鼠标.name);
    EXPECT_EQ(p.captions(), InsertCaptions);
    p.select(4);  // selecting another row afterwards changes nothing
    p.fill("7", "8", "9", 0);
    p.confirm();
    EXPECT_EQ(p.rows()[2], "6|鼠标|7|8|移动到此|9|*");
    EXPECT_FALSE(p.editor().visible());
    EXPECT_EQ(p.captions(), AddCaptions);
    EXPECT_FALSE(p.app.editorState().mouseInsert);
}

TEST(MouseCommandEditor, ModifyModeReplacesInPlace) {
    Editor p(5);
    commands::CommandList(p.list()).setCellText(3, 4, "左键双击");
    p.select(3);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.captions(), ModifyCaptions);
    EXPECT_EQ(p.editor().selectedIndex(ed::组合框1.name), 2);
    p.editor().setText(ed::编辑框_X坐标.name, "42");
    p.confirm();
    EXPECT_EQ(p.list().rowCount(), 5);
    EXPECT_EQ(p.rows()[3], "5|鼠标|42|1|左键双击|100|*");
    EXPECT_FALSE(p.editor().visible());
    EXPECT_EQ(p.captions(), AddCaptions);
    EXPECT_FALSE(p.app.editorState().mouseModify);
}

TEST(MouseCommandEditor, ModifyOfARowThatIsGoneAppends) {
    Editor p(3);
    p.select(2);
    p.toolbar(mw::toolbar::Modify);
    p.list().deleteRow(2);
    p.list().deleteRow(1);
    p.confirm();
    EXPECT_EQ(p.rows(), (Rows{"1|鼠标|1|1|移动到此|100|*", "2|鼠标|1|1|移动到此|100|*"}));
}

TEST(MouseCommandEditor, AnUnknownClickModeKeepsTheSelection) {
    Editor p(1);
    commands::CommandList(p.list()).setCellText(0, 4, "双击");
    p.editor().setSelectedIndex(ed::组合框1.name, 3);
    p.select(0);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.editor().selectedIndex(ed::组合框1.name), 3);
}

TEST(MouseCommandEditor, InsertWinsOverAPendingModify) {
    Editor p(4);
    p.select(0);
    p.main().click(mw::按钮_插入鼠标.name);  // insertIndex 1
    p.editor().click(ed::按钮_取消添加.name);
    p.select(2);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.captions(), ModifyCaptions);
    p.fill("5", "5", "5", 0);
    p.confirm();  // under "确认修改" it inserts at 1 and leaves the modification pending
    EXPECT_EQ(p.list().rowCount(), 5);
    EXPECT_EQ(p.rows()[1], "5|鼠标|5|5|移动到此|5|*");
    EXPECT_TRUE(p.app.editorState().mouseModify);
    EXPECT_FALSE(p.app.editorState().mouseInsert);

    // Opening for adding leaves a pending insert: the next confirm still inserts, and hides.
    Editor q(3);
    q.select(0);
    q.main().click(mw::按钮_插入鼠标.name);  // insertIndex 1
    q.editor().click(ed::按钮_取消添加.name);
    q.main().click(mw::按钮_添加鼠标.name);
    q.fill("7", "7", "7", 0);
    q.confirm();
    EXPECT_EQ(q.rows()[1], "4|鼠标|7|7|移动到此|7|*");
    EXPECT_FALSE(q.editor().visible());
}

TEST(MouseCommandEditor, CloseKeepsModesAndCaptions) {
    Editor p(2);
    p.select(0);
    p.toolbar(mw::toolbar::Modify);
    p.editor().requestClose();
    EXPECT_TRUE(p.editor().alive());
    EXPECT_FALSE(p.editor().visible());
    EXPECT_EQ(p.captions(), ModifyCaptions);
    EXPECT_TRUE(p.app.editorState().mouseModify);
    p.main().click(mw::按钮_添加鼠标.name);  // adding clears modify, not insert
    EXPECT_FALSE(p.app.editorState().mouseModify);
    EXPECT_EQ(p.captions(), AddCaptions);
}

TEST(MouseCommandEditor, CaptureWritesTheCursorPositionShownOrNot) {
    Editor p;
    p.platform.setCursor({-120, 1080});
    p.app.mouseEditor().capturePosition();
    EXPECT_FALSE(p.editor().visible());
    EXPECT_EQ(p.editor().text(ed::编辑框_X坐标.name), "-120");
    EXPECT_EQ(p.editor().text(ed::编辑框_Y坐标.name), "1080");
}

TEST(MouseCommandEditor, NextClickModeCyclesWhateverWasPicked) {
    Editor p;
    std::string seen;
    for (int press = 0; press < 5; ++press) {
        if (press == 2) p.editor().setSelectedIndex(ed::组合框1.name, 3);  // the user picks another
        p.app.mouseEditor().nextClickMode();
        seen += p.editor().selectedText(ed::组合框1.name) + ",";
    }
    EXPECT_EQ(seen, "移动到此,左键单击,左键双击,右键单击,移动到此,");
}

TEST(MouseCommandEditor, LockNeedsBothCoordinatesAndHoldsTheCursor) {
    Editor p;
    p.editor().setText(ed::编辑框_X坐标.name, "10");
    p.editor().setText(ed::编辑框_Y坐标.name, "");
    p.app.mouseEditor().lock();
    p.editor().setText(ed::编辑框_X坐标.name, "");
    p.editor().setText(ed::编辑框_Y坐标.name, "10");
    p.app.mouseEditor().lock();
    const headless::ShownMessage refusal{"锁定失败,请先获取到鼠标坐标位置。", "蓝豆", MessageIcon::Error, MessageButtons::Ok};
    EXPECT_EQ(p.platform.messages(), (std::vector<headless::ShownMessage>{refusal, refusal}));
    EXPECT_EQ(p.main().timerInterval(mw::时钟_锁定鼠标.name), 0);
    p.editor().setText(ed::编辑框_X坐标.name, "10");

    p.editor().setText(ed::编辑框_Y坐标.name, " ");  // spaces are not empty
    p.app.mouseEditor().lock();
    EXPECT_EQ(p.main().timerInterval(mw::时钟_锁定鼠标.name), 1);
    p.main().tick(mw::时钟_锁定鼠标.name);
    p.editor().setText(ed::编辑框_X坐标.name, "12.7");
    p.editor().setText(ed::编辑框_Y坐标.name, "-3.5");
    p.main().tick(mw::时钟_锁定鼠标.name);
    using automation::fake::RecordedCall;
    EXPECT_EQ(p.components.log.calls, (std::vector<RecordedCall>{{"MoveTo", {10, 0}}, {"MoveTo", {12, -3}}}));

    p.app.mouseEditor().unlock();
    p.main().tick(mw::时钟_锁定鼠标.name);
    EXPECT_EQ(p.components.log.calls.size(), 2u);
    p.app.mouseEditor().unlock();  // unlocking again says nothing
    EXPECT_EQ(p.platform.messages().size(), 2u);
}

TEST(MouseCommandEditor, ConfirmWorksWhileHidden) {
    Editor p;
    p.fill("3", "4", "", 1);
    EXPECT_FALSE(p.editor().visible());
    p.app.mouseEditor().confirm();
    EXPECT_EQ(p.rows(), (Rows{"1|鼠标|3|4|左键单击|100|*"}));
}
