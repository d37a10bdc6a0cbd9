// The data file: its bytes, splitting, reading, export and import.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "scriptfile/ScriptFiles.h"
#include "scriptfile/ScriptFormat.h"
#include "text/CodePage936.h"

using namespace framework;
using namespace text;
using scriptfile::splitText;
namespace mw = ui::main_window;
using Rows = std::vector<std::string>;
using Pieces = std::vector<std::string_view>;

namespace {

const std::string Desktop = "C:\\Users\\user\\Desktop\\";

struct Lists : Program {
    Lists() { app.start(); }
    commands::CommandList commands() { return commands::CommandList(list()); }
    void add(std::string_view kind, std::array<std::string_view, 5> cells) { commands().createRow(-1, kind, cells); }
    void exportAs(std::optional<std::string> name) {
        platform.answerNextInput(std::move(name));
        toolbar(mw::toolbar::Export);
    }
    void import(const std::string& bytes) {
        platform.files()["C:\\in.qd"] = bytes;
        main().setNextFileDialogChoice("C:\\in.qd");
        toolbar(mw::toolbar::Import);
    }
    std::string lastMessage() { return platform.messages().empty() ? "" : platform.messages().back().text; }
};

}  // namespace

TEST(ScriptFormat, SplitTextKeepsEmptyPiecesButAnEmptyLast) {
    EXPECT_EQ(splitText("a+++---b+++---", "+++---"), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText("a+++---b", "+++---"), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText("+++---a", "+++---"), (Pieces{"", "a"}));
    EXPECT_EQ(splitText("a+++---+++---b", "+++---"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(splitText("+++---", "+++---"), (Pieces{""}));
    EXPECT_EQ(splitText("", "+++---"), (Pieces{}));
    EXPECT_EQ(splitText("++---", "+++---"), (Pieces{"++---"}));
}

TEST(ScriptFormat, SplitTextMatchesOnlyAtCharacterBoundaries) {
    // 0x81 0x5D is one double-byte character: its trail byte is no part of a separator.
    EXPECT_EQ(splitText("\x81]]][[[x", "]]][[["), (Pieces{"\x81]]][[[x"}));
    EXPECT_EQ(splitText("\x81]]]][[[y", "]]][[["), (Pieces{"\x81]", "y"}));
    // A GB18030 four-byte form is stepped over as two pairs.
    EXPECT_EQ(splitText("\x81\x30\x81\x30]]][[[z", "]]][[["), (Pieces{"\x81\x30\x81\x30", "z"}));
    // A lead byte cut off at the end.
    EXPECT_EQ(splitText("a]]][[[\xB0", "]]][[["), (Pieces{"a", "\xB0"}));
}

TEST(ScriptFile, WritesTheDocumentedBytes) {
    Lists p;
    p.add("鼠标", {"100", "200", "左键单击", "100", "*"});
    p.add("延时", {"*", "*", "*", "*", "100毫秒"});
    p.exportAs("macro");
    EXPECT_EQ(p.platform.files()[Desktop + "macro.qd"],
              toCodePage936("鼠标]]][[[100]]][[[200]]][[[左键单击]]][[[100]]][[[*+++---"
                            "延时]]][[[*]]][[[*]]][[[*]]][[[*]]][[[100毫秒+++---"));
    EXPECT_EQ(p.platform.files()[Desktop + "macro.qd"].substr(0, 6), "\xCA\xF3\xB1\xEA]]");
    const headless::ShownMessage done{"导出数据成功", "蓝豆", MessageIcon::Exclamation, MessageButtons::Ok};
    EXPECT_EQ(p.platform.messages().back(), done);
}

TEST(ScriptFile, AnEmptyListIsAnEmptyFile) {
    Lists p;
    p.exportAs("empty");
    EXPECT_EQ(p.platform.files().at(Desktop + "empty.qd"), "");
    EXPECT_EQ(p.lastMessage(), "导出数据成功");
}

TEST(ScriptFile, ExportThenImportGivesTheRowsBackNumberedAfresh) {
    Lists p;
    p.add("鼠标", {"-5", "12.7", "右键单击", "0", "*"});
    p.add("键盘", {"*", "*", "*", "*", "中文 text 😀 𠀀"});
    p.add("键盘", {"*", "*", "*", "*", "price 5€"});  // ends next to a separator
    p.add("模拟", {"*", "*", "*", "*", "enter"});
    p.list().deleteRow(0);  // numbers "2", "3", "4"
    p.exportAs(" spaced name ");
    const std::string bytes = p.platform.files().at(Desktop + " spaced name .qd");
    EXPECT_NE(bytes.find("\x94\x39\xFC\x36"), std::string::npos);  // the emoji in GB18030 form
    p.app.listEditing().clear();
    p.import(bytes);
    EXPECT_EQ(p.rows(), (Rows{"1|键盘|*|*|*|*|中文 text 😀 𠀀", "2|键盘|*|*|*|*|price 5€", "3|模拟|*|*|*|*|enter"}));
}

TEST(ScriptFile, ImportedRowsFollowTheListsRows) {
    Lists p;
    for (int i = 0; i < 3; ++i) p.add("延时", {"*", "*", "*", "*", "10秒"});
    p.import(toCodePage936("模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[a+++---"));
    EXPECT_EQ(p.rows().back(), "4|模拟|*|*|*|*|a");
}

TEST(ScriptFile, ReadingSkipsShortRecordsAndIgnoresExtraFields) {
    Lists p;
    p.import(toCodePage936("键盘]]][[[*]]][[[*]]][[[*]]][[[*]]][[[a]]][[[seventh+++---"
                           "+++---"                                        // an empty record
                           "键盘]]][[[*]]][[[*]]][[[*]]][[[x+++---"        // five fields
                           "键盘]]][[[*]]][[[*]]][[[*]]][[[*]]][[[+++---"  // the empty sixth is dropped
                           "鼠标]]][[[]]][[[2]]][[[移动到此]]][[[]]][[[*"));  // no final separator
    EXPECT_EQ(p.rows(), (Rows{"1|键盘|*|*|*|*|a", "2|鼠标||2|移动到此||*"}));
}

TEST(ScriptFile, ATextHoldingASeparatorComesBackCut) {
    Lists p;
    p.add("键盘", {"*", "*", "*", "*", "a+++---b]]][[[c"});
    p.exportAs("cut");
    EXPECT_NE(p.platform.files()[Desktop + "cut.qd"].find("a+++---b]]][[[c+++---"), std::string::npos);
    p.app.listEditing().clear();
    p.import(p.platform.files()[Desktop + "cut.qd"]);
    EXPECT_EQ(p.rows(), (Rows{"1|键盘|*|*|*|*|a"}));  // "b]]][[[c" is a record of two fields
}

TEST(ScriptFile, TheTextEndsAtTheFirstZeroByte) {
    Lists p;
    p.import(toCodePage936("延时]]][[[*]]][[[*]]][[[*]]][[[*]]][[[10秒+++---") + std::string(1, '\0') +
             toCodePage936("延时]]][[[*]]][[[*]]][[[*]]][[[*]]][[[10秒+++---"));
    EXPECT_EQ(p.rows(), (Rows{"1|延时|*|*|*|*|10秒"}));
}

TEST(ScriptFile, BadFilesAppendNothing) {
    Lists p;
    for (const std::string& bytes : {std::string(), std::string("+++---"), std::string("]]][[["),
                                     std::string("\xFF\xFE\x00\x01", 4), std::string(1000, '\x81')})
        p.import(bytes);
    EXPECT_EQ(p.list().rowCount(), 0);
    p.main().setNextFileDialogChoice("C:\\missing.qd");
    p.toolbar(mw::toolbar::Import);
    EXPECT_EQ(p.list().rowCount(), 0);
    p.main().setNextFileDialogChoice(std::nullopt);  // cancelled
    p.toolbar(mw::toolbar::Import);
    EXPECT_EQ(p.list().rowCount(), 0);
    EXPECT_TRUE(p.platform.messages().empty());
}

TEST(ScriptFile, AFileTooLargeToReadOrToHoldAppendsNothing) {
    Lists p;
    p.add("延时", {"*", "*", "*", "*", "10秒"});
    const std::string record = toCodePage936("模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[a+++---");
    std::string file = record + std::string(scriptfile::MaxFileBytes - record.size(), '\0');  // 64 MiB: read
    p.import(file);
    EXPECT_EQ(p.rows(), (Rows{"1|延时|*|*|*|*|10秒", "2|模拟|*|*|*|*|a"}));
    file += '\0';  // one byte more: a file that cannot be read
    p.import(file);
    EXPECT_EQ(p.list().rowCount(), 2);

    // Memory runs out after two rows of the three: the file adds none, the rows before it stay.
    p.main().limitRows(mw::超级列表框_鼠标命令.name, 4);
    p.import(record + record + record);
    EXPECT_EQ(p.rows(), (Rows{"1|延时|*|*|*|*|10秒", "2|模拟|*|*|*|*|a"}));
    EXPECT_TRUE(p.platform.messages().empty());
}

TEST(ScriptFile, ExportNeedsAName) {
    for (std::optional<std::string> name : {std::optional<std::string>(), std::optional<std::string>(""),
                                            std::optional<std::string>("  "), std::optional<std::string>("\u3000 \u3000")}) {
        Lists p;
        p.exportAs(name);
        const headless::ShownMessage refusal{"请输入保存名称", "蓝豆程序集", MessageIcon::Error, MessageButtons::Ok};
        EXPECT_EQ(p.platform.messages(), std::vector<headless::ShownMessage>{refusal});
        for (const auto& [path, bytes] : p.platform.files()) EXPECT_FALSE(path.ends_with(".qd")) << path;
    }
    Lists p;
    p.exportAs("\u3000名\u3000");  // a name with other characters keeps its spaces
    EXPECT_TRUE(p.platform.fileExists(Desktop + "\u3000名\u3000.qd"));
}

TEST(ScriptFile, AFailedExportLeavesTheEarlierFile) {
    Lists p;
    p.platform.files()[Desktop + "keep.qd"] = "earlier";
    p.platform.forbidWrites(Desktop + "keep.qd");
    p.add("延时", {"*", "*", "*", "*", "10秒"});
    p.exportAs("keep");
    EXPECT_EQ(p.platform.files()[Desktop + "keep.qd"], "earlier");
    const headless::ShownMessage failure{"导出数据失败", "蓝豆", MessageIcon::Error, MessageButtons::Ok};
    EXPECT_EQ(p.platform.messages().back(), failure);
}

TEST(ScriptFile, ANameThatTheSystemTakesForADeviceIsRefused) {
    for (const char* device : {"CON", "con", "Nul", "aux.txt", "PRN ", "PRN .x", "COM1", "lpt9", "COM\u00B2", "LPT3:x",
                               "sub\\CON", "NUL."}) {
        Lists p;
        p.exportAs(device);
        EXPECT_EQ(p.lastMessage(), "导出数据失败") << device;
        for (const std::string& entry : p.journal.entries()) EXPECT_FALSE(entry.starts_with("replace " + Desktop)) << device;
    }
    for (const char* file : {"CONSOLE", "COM10", "COM0", "LPT", "a.CON", "CO"}) {
        Lists p;
        p.exportAs(file);
        EXPECT_EQ(p.lastMessage(), "导出数据成功") << file;
    }
}
