// The keyboard editor's modes, and the key code table it links to.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "commands/CommandList.h"
#include "commands/KeyCodeTable.h"
#include "framework/CodePage936.h"

namespace mw = app::main_window;
namespace ed = app::key_window;
using Rows = std::vector<std::string>;

namespace {

struct Editor : Program {
    Editor(int rows = 0) {
        app.start();
        commands::CommandList list(this->list());
        for (int r = 0; r < rows; ++r) list.createRow(-1, "键盘", {"*", "*", "*", "*", "t" + std::to_string(r)});
    }
    bool open() { return app.keyEditor().openForm() != nullptr; }
    framework::headless::HeadlessForm& editor() { return keyEditor(); }
    std::string captions() { return editor().text(ed::按钮_添加.name) + "/" + editor().text(ed::按钮_添加模拟按键.name); }
};


}  // namespace

TEST(KeyCommandEditor, AddModeAppendsBothKindsAndStaysOpen) {
    Editor p;
    p.main().click(mw::按钮2.name);
    EXPECT_EQ(p.captions(), "添加/添加");
    p.editor().type(ed::编辑框1.name, "enter");
    p.editor().click(ed::按钮_添加模拟按键.name);
    p.editor().type(ed::编辑框_输入文字.name, " abc 中文😀 ");
    p.editor().click(ed::按钮_添加.name);
    p.editor().setText(ed::编辑框1.name, "");
    p.editor().click(ed::按钮_添加模拟按键.name);
    p.editor().setText(ed::编辑框_输入文字.name, "");
    p.editor().click(ed::按钮_添加.name);
    EXPECT_EQ(p.rows(), (Rows{"1|模拟|*|*|*|*|enter", "2|键盘|*|*|*|*| abc 中文😀 ", "3|模拟|*|*|*|*|无模拟键盘",
                              "4|键盘|*|*|*|*|无文本"}));
    EXPECT_TRUE(p.open());
}

TEST(KeyCommandEditor, InsertModeIsConsumedByEitherButtonAndCloses) {
    for (auto button : {ed::按钮_添加.name, ed::按钮_添加模拟按键.name}) {
        Editor p(3);
        p.select(0);
        p.main().click(mw::按钮_插入键盘.name);
        EXPECT_EQ(p.captions(), "插入/插入");
        p.editor().setText(ed::编辑框_输入文字.name, "x");
        p.editor().setText(ed::编辑框1.name, "f5");
        p.editor().click(button);
        EXPECT_EQ(p.rows()[1], button == ed::按钮_添加.name ? "4|键盘|*|*|*|*|x" : "4|模拟|*|*|*|*|f5");
        EXPECT_FALSE(p.open());
        EXPECT_FALSE(p.app.editorState().keyInsert);
    }
}

TEST(KeyCommandEditor, InsertComesBeforeAPendingModification) {
    Editor p(3);
    p.select(1);
    p.toolbar(mw::toolbar::Modify);  // the text row "t1" loaded for modifying
    p.select(0);
    p.main().click(mw::按钮_插入键盘.name);  // the open window now inserts after row 0
    p.editor().setText(ed::编辑框_输入文字.name, "inserted");
    p.editor().click(ed::按钮_添加.name);
    EXPECT_EQ(p.rows(), (Rows{"1|键盘|*|*|*|*|t0", "4|键盘|*|*|*|*|inserted", "2|键盘|*|*|*|*|t1", "3|键盘|*|*|*|*|t2"}));
    EXPECT_FALSE(p.open());
    EXPECT_TRUE(p.app.editorState().textModify);
    EXPECT_FALSE(p.app.editorState().keyInsert);
}

TEST(KeyCommandEditor, ModifyReplacesTheRowAndCloses) {
    Editor p(3);
    p.list().setCell(1, 6, "无文本");
    p.select(1);
    p.toolbar(mw::toolbar::Modify);
    EXPECT_EQ(p.captions(), "修改/添加");
    EXPECT_EQ(p.editor().text(ed::编辑框_输入文字.name), "无文本");
    p.editor().click(ed::按钮_添加.name);  // unchanged: the placeholder stays the text
    EXPECT_EQ(p.rows()[1], "3|键盘|*|*|*|*|无文本");
    EXPECT_FALSE(p.open());
    EXPECT_FALSE(p.app.editorState().textModify);
}

TEST(KeyCommandEditor, TheOtherButtonAppendsWhileAModificationIsPending) {
    Editor p(2);
    p.select(0);
    p.toolbar(mw::toolbar::Modify);
    p.editor().setText(ed::编辑框1.name, "ctrl alt");  // stored as typed, nothing split
    p.editor().click(ed::按钮_添加模拟按键.name);
    EXPECT_EQ(p.rows()[2], "3|模拟|*|*|*|*|ctrl alt");
    EXPECT_TRUE(p.open());
    EXPECT_TRUE(p.app.editorState().textModify);
    p.editor().setText(ed::编辑框_输入文字.name, "new");
    p.editor().click(ed::按钮_添加.name);
    EXPECT_EQ(p.rows(), (Rows{"3|键盘|*|*|*|*|new", "2|键盘|*|*|*|*|t1", "3|模拟|*|*|*|*|ctrl alt"}));
}

TEST(KeyCommandEditor, TheCloseBoxLeavesTheModesPending) {
    Editor p(2);
    p.select(1);
    p.main().click(mw::按钮_插入键盘.name);
    p.editor().requestClose();
    EXPECT_FALSE(p.open());
    EXPECT_TRUE(p.app.editorState().keyInsert);
    p.main().click(mw::按钮2.name);  // a fresh window; adding keeps the insert mode
    EXPECT_EQ(p.editor().text(ed::编辑框1.name), "");
    p.editor().setText(ed::编辑框1.name, "a");
    p.editor().click(ed::按钮_添加模拟按键.name);
    EXPECT_EQ(p.rows()[2], "3|模拟|*|*|*|*|a");
    EXPECT_FALSE(p.open());
}

TEST(KeyCommandEditor, DoubleClickEmptiesOnlyThatBox) {
    Editor p;
    p.main().click(mw::按钮2.name);
    p.editor().setText(ed::编辑框_输入文字.name, "text");
    p.editor().setText(ed::编辑框1.name, "key");
    p.editor().doubleClick(ed::编辑框1.name);
    EXPECT_EQ(p.editor().text(ed::编辑框1.name), "");
    EXPECT_EQ(p.editor().text(ed::编辑框_输入文字.name), "text");
    p.editor().doubleClick(ed::编辑框_输入文字.name);
    EXPECT_EQ(p.editor().text(ed::编辑框_输入文字.name), "");
}

TEST(KeyCodeTable, IsTheDocumentedBytes) {
    const std::string bytes = commands::keyCodeTableBytes();
    EXPECT_EQ(bytes.size(), 1705u);
    const std::string text = framework::fromCodePage936(bytes);
    EXPECT_EQ(text.substr(0, text.find("\"2\"")),
              "可以直接输入 也可输入键代码\r\n\r\n直接输入    键代码\r\n\"1\",          49\r\n\r\n");
    EXPECT_NE(text.find("\"back\",       8\r\n\r\n \r\n\r\n\"a\",          65\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"\\\\\",         220\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n\r\n\".\",          190\r\n\r\n\"/\",          191\r\n")) << text;
    EXPECT_EQ(bytes.substr(0, 4), "\xBF\xC9\xD2\xD4");  // "可以" in code page 936
}

TEST(KeyCodeTable, IsWrittenOnceBesideTheProgramAndOpened) {
    Editor p;
    const std::string path = "C:\\Program Files\\landou\\蓝豆程序集_键代码对照表.txt";
    p.main().click(mw::按钮2.name);
    p.editor().pressLeftButton(ed::标签4.name);
    EXPECT_EQ(p.platform.files()[path], commands::keyCodeTableBytes());
    p.platform.files()[path] = "edited by the user";
    p.editor().pressLeftButton(ed::标签4.name);
    EXPECT_EQ(p.platform.files()[path], "edited by the user");
    EXPECT_EQ(p.platform.opened(), (std::vector<std::string>{path, path}));
}

TEST(KeyCodeTable, AFailedWriteIsSilent) {
    Editor p;
    const std::string path = "C:\\Program Files\\landou\\蓝豆程序集_键代码对照表.txt";
    p.platform.forbidWrites(path);
    commands::showKeyCodeTable(p.platform);
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_EQ(p.platform.opened(), (std::vector<std::string>{path}));
}
