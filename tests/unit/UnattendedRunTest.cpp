// The unattended command line: its switches, and a program that plays the file, answers to
// nobody and ends with an exit code that says how the run ended.

#include <gtest/gtest.h>

#include <algorithm>

#include "ProgramFixture.h"
#include "app/PlayCommandLine.h"
#include "text/CodePage936.h"

using app::playRequest;
using app::PlayOutcome;
namespace mw = ui::main_window;

namespace {

// A click at (10, 20), a text, a key.
const std::string Macro = text::toCodePage936(
    "鼠标]]][[[10]]][[[20]]][[[左键单击]]][[[0]]][[[*+++---"
    "键盘]]][[[*]]][[[*]]][[[*]]][[[*]]][[[你好+++---"
    "模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[f5+++---");

struct UnattendedProgram : Program {
    explicit UnattendedProgram(const std::string& arguments) {
        platform.files()["C:\\m.qd"] = Macro;
        platform.setCommandLine("\"C:\\Program Files\\landou\\landou.exe\" " + arguments);
    }
    // The automation calls that contain the text.
    int calls(std::string_view part = "") {
        const auto& entries = journal.entries();
        return static_cast<int>(std::count_if(entries.begin(), entries.end(), [&](const std::string& entry) {
            return entry.starts_with("call ") && entry.find(part) != std::string::npos;
        }));
    }
};

}  // namespace

TEST(PlayCommandLine, TheFileTheCountAndTheHideOption) {
    const auto request = playRequest("landou.exe /play C:\\m.qd");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->file, "C:\\m.qd");
    EXPECT_EQ(request->passes, 1);
    EXPECT_FALSE(request->hidesWindows);
    EXPECT_EQ(request->problem, "");

    // Any case, either sign, either order; the file quoted or not, as the ordinary command line takes it.
    const auto both = playRequest("\"C:\\a b\\landou.exe\" -PLAY \"C:\\My Files\\宏 1.qd\" /Hide -Count 100000");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->file, "C:\\My Files\\宏 1.qd");
    EXPECT_EQ(both->passes, 100000);
    EXPECT_TRUE(both->hidesWindows);
    EXPECT_EQ(playRequest("x.exe /play C:\\My Files\\a.qd /count 007")->file, "C:\\MyFiles\\a.qd");
    EXPECT_EQ(playRequest("x.exe /play C:\\My Files\\a.qd /count 007")->passes, 7);

    // Only an unquoted argument that begins with / or - is a switch.
    EXPECT_EQ(playRequest("x.exe /play C:\\dir/count\\a.qd")->file, "C:\\dir/count\\a.qd");
    const auto quoted = playRequest("x.exe /play \"/count 3.qd\" /count 2");
    EXPECT_EQ(quoted->file, "/count 3.qd");
    EXPECT_EQ(quoted->passes, 2);
    EXPECT_EQ(quoted->problem, "");

    // Every other line is the ordinary one.
    for (const char* line : {"", "landou.exe", "landou.exe C:\\play.qd", "landou.exe \"/play\" a.qd", "landou.exe /playx a.qd",
                             "landou.exe x.qd /play", "\"C:\\a b\\landou.exe\" \"C:\\My Files\\a b.qd\"", "x.exe ab\"cd\"ef",
                             "x.exe \"unterminated path", "x.exe \"\""})
        EXPECT_FALSE(playRequest(line)) << line;
}

TEST(PlayCommandLine, BadLinesSayWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"x.exe /play", "/play 之后缺少要执行的文件"},
        {"x.exe /play \"\"", "/play 之后缺少要执行的文件"},
        {"x.exe /play /count 2 a.qd", "/play 之后缺少要执行的文件"},
        {"x.exe /play a.qd /count", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count 0", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd -count 100001", "-count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count -1", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count +2", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count 2x", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count 99999999999", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /count /hide", "/count 之后应为 1 到 100000 之间的次数"},
        {"x.exe /play a.qd /loop", "未知的开关：/loop"},
        {"x.exe /play a.qd /count 2 b.qd", "多余的参数：b.qd"},
    };
    for (const auto& [line, problem] : cases) {
        const auto request = playRequest(line);
        ASSERT_TRUE(request) << line;
        EXPECT_EQ(request->problem, problem) << line;
    }
}

TEST(Unattended, PlaysEveryPassAsF11WouldAndExitsWithNothingShown) {
    UnattendedProgram p("/play C:\\m.qd /count 3 /hide");
    p.windows.takeHotkey(false, 0x7A);  // another copy of the program holds F11
    p.app.run();
    EXPECT_EQ(p.app.exitCode(), 0);
    EXPECT_EQ(p.calls("MoveTo(10, 20)"), 3);
    EXPECT_EQ(p.calls("LeftClick()"), 3);
    EXPECT_EQ(p.calls("\"你好\")"), 3);
    EXPECT_EQ(p.calls("KeyPressName(\"f5\")"), 3);
    EXPECT_EQ(p.main().text(mw::编辑框_运行次数.name), "0");  // counted down
    EXPECT_TRUE(p.main().checked(mw::选择框_影藏.name));
    const auto& j = p.journal.entries();
    EXPECT_NE(std::find(j.begin(), j.end(), "hide MainWindow"), j.end());
    EXPECT_TRUE(p.windows.quitRequested());
    EXPECT_EQ(p.components.log.released, 1);
    // Nothing waited for a person: no message, no help panel, no notice page.
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_EQ(p.main().timerInterval(mw::时钟_载入帮助文档.name), 0);
    EXPECT_TRUE(p.platform.webReads().empty());
    EXPECT_EQ(p.platform.standardError(), (std::vector<std::string>{"执行完毕：3 次"}));
}

TEST(Unattended, EachFailureHasItsExitCodeAndPlaysNothing) {
    UnattendedProgram cancelled("/play C:\\m.qd /count 5");
    cancelled.platform.onWait([&](int) {
        if (cancelled.calls("KeyPressName(\"f5\")") == 2) cancelled.main().pressHotkey(33001);  // F11 in the third pass
    });
    cancelled.app.run();
    EXPECT_EQ(cancelled.app.exitCode(), 1);
    EXPECT_EQ(cancelled.calls("KeyPressName(\"f5\")"), 2);
    EXPECT_TRUE(cancelled.windows.quitRequested());
    EXPECT_EQ(cancelled.platform.standardError(), (std::vector<std::string>{"执行已取消"}));

    for (const char* file : {"C:\\missing.qd", "C:\\empty.qd", "C:\\short.qd"}) {
        UnattendedProgram nothing(std::string("/play ") + file);
        nothing.platform.files()["C:\\empty.qd"] = "";
        nothing.platform.files()["C:\\short.qd"] = text::toCodePage936("鼠标]]][[[10]]][[[20+++---");  // too few fields: skipped
        nothing.app.run();
        EXPECT_EQ(nothing.app.exitCode(), 2) << file;
        EXPECT_EQ(nothing.calls(), 0) << file;
        EXPECT_TRUE(nothing.windows.quitRequested()) << file;
        EXPECT_EQ(nothing.platform.standardError(), (std::vector<std::string>{std::string("文件无法读取或其中没有命令，没有执行：") + file}));
    }

    UnattendedProgram noComponent("/play C:\\m.qd");
    noComponent.components.failingCreations = 1000;
    noComponent.platform.failComponentRegistration();
    noComponent.app.run();
    EXPECT_EQ(noComponent.app.exitCode(), 3);
    EXPECT_TRUE(noComponent.platform.messages().empty());  // not even the registration's failure
    EXPECT_TRUE(noComponent.windows.quitRequested());
    EXPECT_EQ(noComponent.platform.standardError(), (std::vector<std::string>{"创建插件失败，没有执行"}));

    UnattendedProgram badLine("/play C:\\m.qd /count 0");
    badLine.app.run();
    EXPECT_EQ(badLine.app.exitCode(), 4);
    EXPECT_EQ(badLine.windows.find("MainWindow"), nullptr);  // the program did not start
    EXPECT_EQ(badLine.platform.standardError(),
              (std::vector<std::string>{"命令行有误：/count 之后应为 1 到 100000 之间的次数", "用法：landou.exe /play 文件 [/count 次数] [/hide]"}));
}
