// The keyboard editor's modes, and the key code table it links to.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "commands/CommandList.h"
#include "commands/KeyCodeTable.h"
#include "text/CodePage936.h"

namespace mw = ui::main_window;
namespace ed = ui::key_window;
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

TEST(KeyCommandEditor, OpeningForAddingEndsPendingModifications) {
    for (auto modified : {"键盘", "模拟"}) {
        Editor p;
        commands::CommandList(p.list()).createRow(-1, modified, {"*", "*", "*", "*", "old"});
        p.select(0);
        p.toolbar(mw::toolbar::Modify);  // the open window modifies row 0
        ASSERT_NE(p.captions(), "添加/添加") << modified;
        p.main().click(mw::按钮2.name);  // the same window, now for adding
        EXPECT_EQ(p.captions(), "添加/添加") << modified;
        EXPECT_FALSE(p.app.editorState().textModify);
        EXPECT_FALSE(p.app.editorState().keyModify);
        p.editor().setText(ed::编辑框_输入文字.name, "new");
        p.editor().click(ed::按钮_添加.name);
        p.editor().setText(ed::编辑框1.name, "f5");
        p.editor().click(ed::按钮_添加模拟按键.name);
        const auto kind = std::string(modified);
        EXPECT_EQ(p.rows(), (Rows{"1|" + kind + "|*|*|*|*|old", "2|键盘|*|*|*|*|new", "3|模拟|*|*|*|*|f5"}));
        EXPECT_TRUE(p.open());
    }
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
    // The table as the user is told it: eight groups of names and codes.
    std::vector<std::vector<std::pair<std::string, int>>> groups = {
        {{"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56}, {"9", 57}, {"0", 48},
         {"-", 189}, {"=", 187}, {"back", 8}},
        {},
        {{"ctrl", 17}, {"alt", 18}, {"shift", 16}, {"win", 91}, {"space", 32}, {"cap", 20}, {"tab", 9}, {"~", 192},
         {"esc", 27}, {"enter", 13}},
        {{"up", 38}, {"down", 40}, {"left", 37}, {"right", 39}},
        {{"option", 93}},
        {{"print", 44}, {"delete", 46}, {"home", 36}, {"end", 35}, {"pgup", 33}, {"pgdn", 34}},
        {},
        {{"[", 219}, {"]", 221}, {"\\\\", 220}, {";", 186}, {"'", 222}, {",", 188}, {".", 190}, {"/", 191}},
    };
    for (char letter = 'a'; letter <= 'z'; ++letter) groups[1].push_back({std::string(1, letter), 65 + letter - 'a'});
    for (int f = 1; f <= 12; ++f) groups[6].push_back({"f" + std::to_string(f), 111 + f});
    std::string expected = "可以直接输入 也可输入键代码\r\n\r\n直接输入    键代码\r\n";
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0) expected += " \r\n\r\n";
        for (const auto& [name, code] : groups[g]) {
            std::string entry = "\"" + name + "\",";
            entry.resize(14, ' ');
            expected += entry + std::to_string(code) + "\r\n\r\n";
        }
    }
    expected.resize(expected.size() - 2);  // the last entry has no empty line after it
    const std::string bytes = commands::keyCodeTableBytes();
    EXPECT_EQ(bytes.size(), 1705u);
    EXPECT_EQ(bytes, text::toCodePage936(expected));
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
