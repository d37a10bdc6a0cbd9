// The player: the exact waits and automation calls of every row kind, counting down, hiding,
// cancelling; the schedule; the hotkeys. Waits run on a virtual clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "ProgramFixture.h"
#include "commands/CommandList.h"
#include "playback/Schedule.h"

using namespace framework;
namespace mw = ui::main_window;
using Trace = std::vector<std::string>;

namespace {

struct PlayingProgram : Program {
    PlayingProgram() {
        app.start();
        journal.clear();
    }
    void add(std::string_view kind, std::array<std::string_view, 5> cells) { commands::CommandList(list()).createRow(-1, kind, cells); }
    void mouse(std::string_view x, std::string_view y, std::string_view mode, std::string_view delay) {
        add("鼠标", {x, y, mode, delay, "*"});
    }
    void setRuns(std::string_view count) { main().setText(mw::编辑框_运行次数.name, count); }
    std::string runs() { return main().text(mw::编辑框_运行次数.name); }
    std::string runCaption() { return main().text(mw::按钮_运行.name); }
    void run() { main().click(mw::按钮_运行.name); }
    // The waits and automation calls, in order.
    Trace trace() {
        Trace out;
        for (const std::string& entry : journal.entries())
            if (entry.starts_with("wait ") || entry.starts_with("call ")) out.push_back(entry);
        return out;
    }
    Trace windowChanges() {
        Trace out;
        for (const std::string& entry : journal.entries())
            if (entry.starts_with("show ") || entry.starts_with("hide ")) out.push_back(entry);
        return out;
    }
};

}  // namespace

TEST(Player, AClickingMouseRow) {
    PlayingProgram p;
    p.mouse("100", "200", "左键单击", "1500");
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 1500", "call MoveTo(100, 200)", "wait 200", "call LeftClick()", "wait 200", "wait 200"}));
    EXPECT_EQ(p.runs(), "0");
    EXPECT_EQ(p.runCaption(), "运行(F11)");
    EXPECT_EQ(p.platform.now(), 2100);
}

TEST(Player, EveryClickModeAndAnUnknownOne) {
    PlayingProgram p;
    p.mouse("1", "2", "移动到此", "0");
    p.mouse("3", "4", "左键双击", "-50");  // a negative delay waits 0
    p.mouse("5", "6", "右键单击", "abc");
    p.mouse("7", "8", "双击", "10");  // unknown: only the waits
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 0", "call MoveTo(1, 2)", "wait 200",                                   //
                                "wait 0", "call MoveTo(3, 4)", "wait 200", "call LeftDoubleClick()", "wait 200",  //
                                "wait 0", "call MoveTo(5, 6)", "wait 200", "call RightClick()", "wait 200",       //
                                "wait 10", "wait 200",                                                            //
                                "wait 200"}));
}

TEST(Player, CoordinatesAreTruncatedNumbers) {
    PlayingProgram p;
    p.mouse("12.7", "-3.5", "移动到此", "1e2");
    p.mouse("x", "", "移动到此", "0");
    p.mouse("１２", " 7abc", "移动到此", "0");
    p.run();
    const Trace trace = p.trace();
    EXPECT_EQ(trace[0], "wait 100");
    EXPECT_EQ(trace[1], "call MoveTo(12, -3)");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "call MoveTo(0, 0)"), trace.end());
    EXPECT_NE(std::find(trace.begin(), trace.end(), "call MoveTo(12, 7)"), trace.end());
}

TEST(Player, TextKeyDelayAndUnknownRows) {
    PlayingProgram p;
    p.platform.setWindowUnderCursor(4242);
    p.add("键盘", {"*", "*", "*", "*", "abc 中文"});
    p.add("模拟", {"*", "*", "*", "*", "enter"});
    p.add("延时", {"*", "*", "*", "*", "10秒"});
    p.add("延时", {"*", "*", "*", "*", "1000毫秒"});
    p.add("延时", {"*", "*", "*", "*", "5秒"});
    p.add("其他", {"*", "*", "*", "*", "x"});
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"call SendText(4242, \"abc 中文\")", "wait 200",  //
                                "call KeyPressName(\"enter\")", "wait 200",        //
                                "wait 200", "wait 10000",                          //
                                "wait 200", "wait 1000",                           //
                                "wait 200", "wait 200",                            //
                                "wait 200"}));
}

TEST(Player, CountsTheRunCountDownAfterEachPass) {
    PlayingProgram p;
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.add("模拟", {"*", "*", "*", "*", "b"});
    p.setRuns("3");
    Trace seen;
    p.platform.onWait([&](int) {
        if (seen.empty() || seen.back() != p.runs()) seen.push_back(p.runs());
    });
    p.run();
    EXPECT_EQ(seen, (Trace{"3", "2", "1"}));
    EXPECT_EQ(p.runs(), "0");
    EXPECT_EQ(p.components.log.calls.size(), 6u);
    EXPECT_EQ(p.runCaption(), "运行(F11)");
}

TEST(Player, AnEmptyListStillPassesAndCountsDown) {
    PlayingProgram p;
    p.setRuns("3");
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 200", "wait 200", "wait 200"}));
    EXPECT_EQ(p.runs(), "0");
}

TEST(Player, NoPassForAZeroNegativeOrNonNumericCount) {
    for (const char* count : {"0", "-2", "", "abc", "0.9"}) {
        PlayingProgram p;
        p.add("模拟", {"*", "*", "*", "*", "a"});
        p.setRuns(count);
        p.run();
        EXPECT_EQ(p.trace(), Trace{}) << count;
        EXPECT_EQ(p.runs(), count);
        EXPECT_EQ(p.runCaption(), "运行(F11)");
    }
}

TEST(Player, TheHideOptionHidesBothWindowsAndShowsTheMainOneAfter) {
    PlayingProgram p;
    p.main().setChecked(mw::选择框_影藏.name, true);
    p.main().click(mw::按钮_添加鼠标.name);  // the editor shows
    p.journal.clear();
    p.setRuns("0");
    p.run();
    EXPECT_EQ(p.windowChanges(), (Trace{"hide MouseCommandWindow", "hide MainWindow", "show MainWindow"}));
    EXPECT_FALSE(p.mouseEditor().visible());
    EXPECT_EQ(p.runs(), "0");

    // A run whose thread cannot be made ends the same way, at once; the next run plays.
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.setRuns("2");
    p.platform.failThreadStarts(1);
    p.journal.clear();
    p.run();
    EXPECT_EQ(p.windowChanges(), (Trace{"hide MainWindow", "show MainWindow"}));  // the editor is hidden already
    EXPECT_EQ(p.trace(), Trace{});
    EXPECT_EQ(p.runCaption(), "运行(F11)");
    EXPECT_EQ(p.runs(), "2");
    p.run();
    EXPECT_EQ(p.runs(), "0");
    const Trace played = p.trace();
    EXPECT_EQ(std::count(played.begin(), played.end(), "call KeyPressName(\"a\")"), 2);
}

TEST(Player, CancelDuringADelayRowStopsEverythingAtOnce) {
    PlayingProgram p;
    p.add("延时", {"*", "*", "*", "*", "10秒"});
    p.mouse("1", "1", "左键单击", "0");
    p.setRuns("5");
    p.main().setChecked(mw::选择框_影藏.name, true);
    p.main().click(mw::按钮_添加鼠标.name);  // the editor shows, and the run hides it
    ASSERT_TRUE(p.mouseEditor().visible());
    p.platform.onWait([&](int milliseconds) {
        if (milliseconds != 10000) return;
        p.run();  // the button (or F11) while the run waits
        EXPECT_EQ(p.runCaption(), "运行(F11)");
        EXPECT_TRUE(p.main().visible());
    });
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 200", "wait 10000"}));
    EXPECT_EQ(p.runs(), "5");  // no pass was completed
    EXPECT_EQ(p.runCaption(), "运行(F11)");
    EXPECT_FALSE(p.mouseEditor().visible());
}

TEST(Player, ACancelledRunTouchesNothingMore) {
    PlayingProgram p;
    p.mouse("1", "1", "移动到此", "0");
    p.setRuns("2");
    bool cancelled = false;
    p.platform.onWait([&](int) {
        if (cancelled) return;
        cancelled = true;
        p.run();  // cancel
        p.run();  // and start a new run at once: its own token
    });
    p.run();
    // The first run stopped at its first wait; the second played both passes.
    EXPECT_EQ(p.trace(), (Trace{"wait 0", "wait 0", "call MoveTo(1, 1)", "wait 200", "wait 200",  //
                                "wait 0", "call MoveTo(1, 1)", "wait 200", "wait 200"}));
    EXPECT_EQ(p.runCaption(), "运行(F11)");
}

TEST(Player, ReadsCellsWhenItNeedsThem) {
    PlayingProgram p;
    p.mouse("1", "1", "移动到此", "100");
    p.mouse("2", "2", "移动到此", "0");
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.platform.onWait([&](int milliseconds) {
        if (milliseconds != 100) return;
        p.list().setCell(0, 2, "50");  // edited during the row's delay
        p.list().deleteRow(2);
        p.list().deleteRow(1);
    });
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 100", "call MoveTo(50, 1)", "wait 200", "wait 200", "wait 200", "wait 200"}));

    // A row made a key row during a mouse row's delay presses its key after the move; a delay row
    // deleted during its own row pause waits nothing more.
    PlayingProgram q;
    q.mouse("1", "1", "移动到此", "100");
    q.add("延时", {"*", "*", "*", "*", "10秒"});
    int rowPauses = 0;
    q.platform.onWait([&](int milliseconds) {
        if (milliseconds == 100) {
            q.list().setCell(0, 1, "模拟");
            q.list().setCell(0, 6, "b");
        } else if (milliseconds == 200 && ++rowPauses == 2) {
            q.list().deleteRow(1);
        }
    });
    q.run();
    EXPECT_EQ(q.trace(), (Trace{"wait 100", "call MoveTo(1, 1)", "call KeyPressName(\"b\")", "wait 200", "wait 200", "wait 200"}));
}

TEST(Player, ACancelJustBeforeACallPreventsIt) {
    PlayingProgram p;
    p.add("键盘", {"*", "*", "*", "*", "typed"});
    p.platform.onWindowUnderCursor([&] { p.run(); });  // the cancel comes after the last wait
    p.run();
    EXPECT_EQ(p.components.log.calls.size(), 0u);
    EXPECT_EQ(p.runCaption(), "运行(F11)");
}

// One timeline per run: calls that take time do not push the actions after them.
TEST(Player, CallsWithinTheAllowanceLeaveEveryActionOnItsDeadline) {
    PlayingProgram p;
    p.mouse("1", "2", "左键单击", "1500");
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.add("延时", {"*", "*", "*", "*", "100毫秒"});
    p.setRuns("10");
    std::vector<long long> issued;
    p.components.log.during = [&](const auto&) {
        issued.push_back(p.platform.now());
        p.platform.advance(2);
    };
    p.run();
    const Trace trace = p.trace();
    EXPECT_EQ(Trace(trace.begin(), trace.begin() + 10), (Trace{"wait 1500", "call MoveTo(1, 2)", "wait 198", "call LeftClick()",
                                                               "wait 198", "call KeyPressName(\"a\")", "wait 198", "wait 200",
                                                               "wait 100", "wait 200"}));
    std::vector<long long> ideal;  // 1500 + 200 before the click, 200 after each row, 100, 200 a pass
    for (long long pass = 0; pass < 10; ++pass)
        for (const long long at : {1500, 1700, 1900}) ideal.push_back(2600 * pass + at);
    EXPECT_EQ(issued, ideal);
    EXPECT_EQ(p.platform.now(), 26000);
}

TEST(Player, ACallBeyondTheAllowanceCountsTheNextWaitFromItsReturn) {
    PlayingProgram p;
    p.add("键盘", {"*", "*", "*", "*", "a long text"});
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.add("模拟", {"*", "*", "*", "*", "b"});
    std::vector<long long> issued;
    p.components.log.during = [&](const automation::fake::RecordedCall& call) {
        issued.push_back(p.platform.now());
        if (call.method == "SendText") p.platform.advance(50);
        else p.platform.advance(call.arguments[0] == automation::Argument("a") ? 3 : 4);  // the allowance, and over it
    };
    p.run();
    EXPECT_EQ(issued, (std::vector<long long>{0, 250, 450}));
    EXPECT_EQ(p.trace(), (Trace{"call SendText(65670, \"a long text\")", "wait 200", "call KeyPressName(\"a\")", "wait 197",
                                "call KeyPressName(\"b\")", "wait 200", "wait 200"}));
    EXPECT_EQ(p.platform.now(), 854);
}

// Lateness within the allowance is made up; beyond it, whatever its cause, the timeline moves
// to the moment the late step ended and no wait after it is shortened.
TEST(Player, LatenessBeyondTheAllowanceIsNeverMadeUpByTheWaitsAfterIt) {
    PlayingProgram p;
    p.mouse("1", "2", "左键单击", "1000");
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.add("键盘", {"*", "*", "*", "*", "t"});
    int waits = 0;
    p.platform.onWait([&](int milliseconds) {
        ++waits;
        if (waits == 1) p.platform.advance(milliseconds + 150);  // the mouse row's delay wakes 150 ms late
        if (waits == 3) p.platform.advance(milliseconds + 2);    // its row pause 2 ms late: made up
    });
    p.platform.onWindowUnderCursor([&] { p.platform.advance(40); });  // a slow look before the text
    std::vector<long long> issued;
    p.components.log.during = [&](const auto&) { issued.push_back(p.platform.now()); };
    p.run();
    EXPECT_EQ(p.trace(), (Trace{"wait 1000", "call MoveTo(1, 2)", "wait 200", "call LeftClick()", "wait 200",
                                "call KeyPressName(\"a\")", "wait 198", "call SendText(65670, \"t\")", "wait 200",
                                "wait 200"}));
    EXPECT_EQ(issued, (std::vector<long long>{1150, 1350, 1552, 1790}));
    EXPECT_EQ(p.platform.now(), 2190);
}

// A scheduled run plays on the user-interface thread: while another thread's call holds the
// call lock, it waits in the platform's waits (which go on answering the thread's calls), and
// the time it waited is not taken from its waits.
TEST(Schedule, ARunThatWaitsForTheCallLockKeepsAllItsWaits) {
    PlayingProgram p;
    p.mouse("1", "2", "左键单击", "0");
    p.main().setText(mw::编辑框_延时打卡.name, "3");
    p.main().click(mw::按钮_设定.name);

    std::mutex handOver;
    std::condition_variable changed;
    bool held = false, released = false;
    std::thread otherCall([&] {  // a call of another run, in progress for 2 s
        auto calls = p.app.automation().callLock();
        calls.lock();
        std::unique_lock lock(handOver);
        held = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
    });
    {
        std::unique_lock lock(handOver);
        changed.wait(lock, [&] { return held; });
    }
    int lockWaits = 0;
    p.platform.onWait([&](int milliseconds) {
        if (milliseconds != 1 || ++lockWaits != 2000) return;
        const std::lock_guard lock(handOver);
        released = true;
        changed.notify_all();
    });
    std::vector<long long> issued;
    p.components.log.during = [&](const auto&) { issued.push_back(p.platform.now()); };
    p.main().tick(mw::时钟_延时打开.name);
    otherCall.join();

    ASSERT_EQ(issued.size(), 2u);
    EXPECT_GE(issued[0], 2000);
    EXPECT_EQ(issued[1], issued[0] + 200);
    Trace trace = p.trace();
    const auto firstCall = std::find_if(trace.begin(), trace.end(), [](const auto& e) { return e.starts_with("call "); });
    ASSERT_NE(firstCall, trace.begin());
    EXPECT_EQ(trace.front(), "wait 0");  // the mouse row's delay
    EXPECT_TRUE(std::all_of(trace.begin() + 1, firstCall, [](const auto& e) { return e == "wait 1"; }));
    EXPECT_EQ(Trace(firstCall, trace.end()),
              (Trace{"call MoveTo(1, 2)", "wait 200", "call LeftClick()", "wait 200", "wait 200"}));
}

TEST(Player, F9DuringARunLeavesItRunning) {
    PlayingProgram p;
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.setRuns("2");
    p.platform.onWait([&](int) {
        p.main().pressHotkey(33007);
        EXPECT_EQ(p.runCaption(), "取消(F11)");
    });
    p.run();
    EXPECT_EQ(p.components.log.calls.size(), 2u);
}

TEST(Player, AnyOtherCaptionDoesNothing) {
    PlayingProgram p;
    p.main().setText(mw::按钮_运行.name, "运行");
    p.run();
    EXPECT_EQ(p.trace(), Trace{});
    EXPECT_EQ(p.runCaption(), "运行");
}

TEST(Schedule, ArmingNeedsADelayAndConfirms) {
    PlayingProgram p;
    p.main().setText(mw::编辑框_延时打卡.name, "");
    p.main().click(mw::按钮_设定.name);
    EXPECT_EQ(p.main().focusedControl(), mw::编辑框_延时打卡.name);
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_EQ(p.main().text(mw::按钮_设定.name), "设定");

    p.main().setText(mw::编辑框_延时打卡.name, "3");
    p.main().click(mw::按钮_设定.name);
    const headless::ShownMessage confirmation{"软件将在3秒后执行！\r\n运行过程中按下热键F9停止运行。", "蓝豆提示",
                                              MessageIcon::Exclamation, MessageButtons::Ok};
    EXPECT_EQ(p.platform.messages(), std::vector<headless::ShownMessage>{confirmation});
    EXPECT_EQ(p.main().text(mw::选择框1.name), "每3秒执行一次。");
    EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 3000);
    EXPECT_EQ(p.main().text(mw::按钮_设定.name), "停止(F9)");
}

TEST(Schedule, ADelayedStartPlaysOnceInTheTick) {
    PlayingProgram p;
    p.add("延时", {"*", "*", "*", "*", "10秒"});  // costs only the row pause here
    p.setRuns("2");
    p.main().setText(mw::编辑框_延时打卡.name, "3");
    p.main().click(mw::按钮_设定.name);
    p.main().tick(mw::时钟_延时打开.name);
    EXPECT_EQ(p.trace(), (Trace{"wait 200", "wait 200", "wait 200", "wait 200"}));
    EXPECT_EQ(p.runs(), "2");  // no countdown
    EXPECT_EQ(p.runCaption(), "运行(F11)");
    EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 0);
    EXPECT_EQ(p.main().text(mw::按钮_设定.name), "设定");
    EXPECT_TRUE(p.windowChanges().empty());
}

TEST(Schedule, APeriodicScheduleRunsUntilDisarmed) {
    for (bool byHotkey : {false, true}) {
        PlayingProgram p;
        p.main().setText(mw::编辑框_延时打卡.name, "3");
        p.main().setChecked(mw::选择框1.name, true);
        p.main().click(mw::按钮_设定.name);
        p.main().tick(mw::时钟_延时打开.name);
        p.main().tick(mw::时钟_延时打开.name);
        EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 3000);
        EXPECT_EQ(p.trace().size(), 2u);
        if (byHotkey) p.main().pressHotkey(33007);
        else p.main().click(mw::按钮_设定.name);
        EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 0);
        EXPECT_EQ(p.main().text(mw::按钮_设定.name), "设定");
        EXPECT_FALSE(p.main().checked(mw::选择框1.name));
        EXPECT_EQ(p.main().text(mw::选择框1.name), "每3秒执行一次。");
    }
}

TEST(Schedule, UncheckingTheBoxMakesTheNextTickTheLast) {
    PlayingProgram p;
    p.main().setChecked(mw::选择框1.name, true);
    p.main().click(mw::按钮_设定.name);
    p.main().tick(mw::时钟_延时打开.name);
    p.main().setChecked(mw::选择框1.name, false);
    p.main().tick(mw::时钟_延时打开.name);
    EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 0);
    p.main().tick(mw::时钟_延时打开.name);  // a stopped timer does not tick
    EXPECT_EQ(p.trace().size(), 2u);
}

TEST(Schedule, TheIntervalIsBoundedToA32BitCount) {
    EXPECT_EQ(playback::scheduleInterval("3"), 3000);
    EXPECT_EQ(playback::scheduleInterval("2147483"), 2147483000);
    EXPECT_EQ(playback::scheduleInterval("2147484"), 2147483647);
    EXPECT_EQ(playback::scheduleInterval("99999999999999"), 2147483647);
    EXPECT_EQ(playback::scheduleInterval("-5"), 0);
    EXPECT_EQ(playback::scheduleInterval("abc"), 0);
    EXPECT_EQ(playback::scheduleInterval("0.0015"), 1);

    PlayingProgram p;
    p.main().setText(mw::编辑框_延时打卡.name, "0");
    p.main().click(mw::按钮_设定.name);
    EXPECT_EQ(p.main().text(mw::按钮_设定.name), "停止(F9)");  // armed, never elapses
    EXPECT_EQ(p.main().timerInterval(mw::时钟_延时打开.name), 0);
}

TEST(Hotkeys, RegisterInOrderAndReportFailuresAfterwards) {
    Program p;
    p.windows.takeHotkey(false, 0x72);  // F3 and Ctrl+S are another program's
    p.windows.takeHotkey(true, 0x53);
    p.app.start();
    EXPECT_EQ(p.app.hotkeys().identifiers(), (std::array<std::int32_t, 7>{33001, 0, 33003, 33004, 0, 33006, 33007}));
    Trace registrations;
    for (const std::string& entry : p.journal.entries())
        if (entry.starts_with("hotkey ") || entry.starts_with("message ")) registrations.push_back(entry);
    EXPECT_EQ(registrations, (Trace{
                                 "hotkey 33001 122 for MainWindow ok",
                                 "hotkey 33002 114 for MainWindow failed",
                                 "hotkey 33003 ctrl+32 for MainWindow ok",
                                 "hotkey 33004 ctrl+13 for MainWindow ok",
                                 "hotkey 33005 ctrl+83 for MainWindow failed",
                                 "hotkey 33006 ctrl+81 for MainWindow ok",
                                 "hotkey 33007 120 for MainWindow ok",
                                 "message 注册F3键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。",
                                 "message 注册CTRL+S键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。",
                             }));
    EXPECT_EQ(p.platform.messages()[0].caption, "蓝豆程序集");
    EXPECT_EQ(p.platform.messages()[0].icon, MessageIcon::Error);
    // A failed hotkey's number does nothing.
    p.platform.setCursor({5, 6});
    p.main().pressHotkey(33002);
    EXPECT_EQ(p.mouseEditor().text("编辑框_X坐标"), "");
}

TEST(Hotkeys, EachActsOnTheEditorShownOrNot) {
    PlayingProgram p;
    auto& editor = p.mouseEditor();
    p.platform.setCursor({640, -20});
    p.main().pressHotkey(33002);  // F3
    EXPECT_EQ(editor.text("编辑框_X坐标") + "," + editor.text("编辑框_Y坐标"), "640,-20");
    p.main().pressHotkey(33003);  // Ctrl+Space
    p.main().pressHotkey(33003);
    EXPECT_EQ(editor.selectedText("组合框1"), "左键单击");
    p.main().pressHotkey(33004);  // Ctrl+Enter, add mode, hidden
    EXPECT_EQ(p.rows(), (Trace{"1|鼠标|640|-20|左键单击|100|*"}));
    EXPECT_FALSE(editor.visible());
    p.main().pressHotkey(33005);  // Ctrl+S
    EXPECT_EQ(p.main().timerInterval(mw::时钟_锁定鼠标.name), 1);
    p.main().pressHotkey(33006);  // Ctrl+Q
    EXPECT_EQ(p.main().timerInterval(mw::时钟_锁定鼠标.name), 0);
    p.main().pressHotkey(33001);  // F11
    EXPECT_EQ(p.components.log.calls.size(), 2u);  // the row played: move and click
    p.main().pressHotkey(12345);
    p.main().pressHotkey(0);
    EXPECT_EQ(p.list().rowCount(), 1);
}

TEST(Hotkeys, CtrlEnterInInsertModePlacesTheRowAndHidesTheEditor) {
    PlayingProgram p;
    p.add("模拟", {"*", "*", "*", "*", "a"});
    p.add("模拟", {"*", "*", "*", "*", "b"});
    p.select(0);
    p.main().click(mw::按钮_插入鼠标.name);
    EXPECT_TRUE(p.mouseEditor().visible());
    p.main().pressHotkey(33004);
    EXPECT_EQ(p.rows()[1], "3|鼠标|0|0|移动到此|100|*");
    EXPECT_FALSE(p.mouseEditor().visible());
    EXPECT_FALSE(p.app.editorState().mouseInsert);
}

TEST(Hotkeys, F9OnAnIdleScheduleOnlyUnchecksTheBox) {
    PlayingProgram p;
    p.main().setChecked(mw::选择框1.name, true);
    p.main().pressHotkey(33007);
    EXPECT_FALSE(p.main().checked(mw::选择框1.name));
    EXPECT_EQ(p.main().text(mw::按钮_设定.name), "设定");
    EXPECT_EQ(p.main().text(mw::选择框1.name), "每x秒执行一次");
}
