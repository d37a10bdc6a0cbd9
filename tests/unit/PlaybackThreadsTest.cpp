// The player on real threads: started and cancelled over and over in quick succession.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "ProgramFixture.h"
#include "commands/CommandList.h"

namespace mw = ui::main_window;

TEST(PlayerThreads, StartAndCancelAThousandTimes) {
    Program p;
    p.platform.useRealThreads();
    p.components.journal = nullptr;  // calls come from the player's threads
    p.components.slowCalls = true;
    p.app.start();
    commands::CommandList list(p.list());
    list.createRow(-1, "鼠标", {"1", "2", "左键单击", "0", "*"});
    list.createRow(-1, "模拟", {"*", "*", "*", "*", "a"});
    list.createRow(-1, "鼠标", {"3", "4", "移动到此", "1", "*"});
    p.main().setText(mw::编辑框_运行次数.name, "1000000");
    p.main().setChecked(mw::选择框_影藏.name, true);

    auto onUi = [&](auto action) {
        decltype(action()) result{};
        p.windows.callOnUiThread([&] { result = action(); });
        return result;
    };
    auto click = [&] { return onUi([&] { p.main().click(mw::按钮_运行.name); return 0; }); };
    auto caption = [&] { return onUi([&] { return p.main().text(mw::按钮_运行.name); }); };

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pause(0, 300);
    for (int i = 0; i < 1000; ++i) {
        click();  // start
        ASSERT_EQ(caption(), "取消(F11)") << i;
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        ASSERT_EQ(caption(), "取消(F11)") << i;  // no earlier run's end resets it
        const size_t callsAtCancel = [&] {
            click();  // cancel
            const std::lock_guard lock(p.components.log.callsMutex);
            return p.components.log.calls.size();
        }();
        ASSERT_EQ(caption(), "运行(F11)") << i;
        ASSERT_TRUE(onUi([&] { return p.main().visible(); })) << i;
        if (i % 100 == 0) {  // no call starts after a cancel; one on its way may arrive
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const std::lock_guard lock(p.components.log.callsMutex);
            ASSERT_LE(p.components.log.calls.size(), callsAtCancel + 1) << i;
        }
    }
    for (int wait = 0; wait < 500 && p.platform.liveThreads() > 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(p.platform.liveThreads(), 0);
    EXPECT_EQ(p.components.log.overlappingCalls, 0);
    EXPECT_GT(p.components.log.calls.size(), 0u);
    EXPECT_EQ(caption(), "运行(F11)");
}

TEST(PlayerThreads, ARunThatEndsByItselfResetsTheCaption) {
    Program p;
    p.platform.useRealThreads();
    p.components.journal = nullptr;
    p.app.start();
    commands::CommandList(p.list()).createRow(-1, "模拟", {"*", "*", "*", "*", "a"});
    p.main().setText(mw::编辑框_运行次数.name, "2");
    p.windows.callOnUiThread([&] { p.main().click(mw::按钮_运行.name); });
    for (int wait = 0; wait < 300 && p.platform.liveThreads() > 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string caption, runs;
    p.windows.callOnUiThread([&] {
        caption = p.main().text(mw::按钮_运行.name);
        runs = p.main().text(mw::编辑框_运行次数.name);
    });
    EXPECT_EQ(caption, "运行(F11)");
    EXPECT_EQ(runs, "0");
    EXPECT_EQ(p.components.log.calls.size(), 2u);
}

namespace {

// A program whose one text row types into a window that stopped answering: the run's SendText
// does not return until the test lets it go.
struct HungTarget : Program {
    HungTarget() {
        platform.useRealThreads();
        components.journal = nullptr;
        app.start();
        commands::CommandList(list()).createRow(-1, "键盘", {"*", "*", "*", "*", "你好"});
        main().setText(mw::编辑框_运行次数.name, "100");
        components.log.hold.hold("SendText");
    }
    ~HungTarget() {
        components.log.hold.letGo();
        for (int wait = 0; wait < 500 && platform.liveThreads() > 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    void onUi(const std::function<void()>& action) { windows.callOnUiThread(action); }
    void clickRun() { onUi([&] { main().click(mw::按钮_运行.name); }); }
    std::string caption() {
        std::string text;
        onUi([&] { text = main().text(mw::按钮_运行.name); });
        return text;
    }
    bool untilHeld() {
        for (int wait = 0; wait < 500 && components.log.hold.held() == 0; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return components.log.hold.held() == 1;
    }
    size_t calls() {
        const std::lock_guard lock(components.log.callsMutex);
        return components.log.calls.size();
    }
};

}  // namespace

TEST(PlayerThreads, ACancelDuringAHungCallReturnsAtOnceAndTheNextRunWaitsForThatCall) {
    HungTarget p;
    p.clickRun();
    ASSERT_TRUE(p.untilHeld());
    p.clickRun();  // the cancel: it returns although the call does not
    EXPECT_EQ(p.caption(), "运行(F11)");
    EXPECT_EQ(p.components.log.hold.held(), 1);

    p.clickRun();  // a new run: its first call waits for the cancelled run's call
    EXPECT_EQ(p.caption(), "取消(F11)");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(p.calls(), 1u);
    p.components.log.hold.letGo();
    for (int wait = 0; wait < 500 && p.calls() < 3; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GE(p.calls(), 3u);  // the new run plays on
    p.clickRun();
    EXPECT_EQ(p.components.log.overlappingCalls, 0);
}

// The user-interface thread never sits in a plain wait behind a run's hung call: the cursor
// lock skips its tick, and a scheduled pass waits in the platform's waits, then plays.
TEST(PlayerThreads, TheUserInterfaceThreadDoesNotBlockBehindAHungCall) {
    HungTarget p;
    p.clickRun();
    ASSERT_TRUE(p.untilHeld());
    p.onUi([&] {
        p.main().setTimerInterval(mw::时钟_锁定鼠标.name, 1);  // Ctrl+S
        p.main().tick(mw::时钟_锁定鼠标.name);
    });
    EXPECT_EQ(p.calls(), 1u);

    p.onUi([&] {
        p.main().setText(mw::编辑框_延时打卡.name, "3");
        p.main().click(mw::按钮_设定.name);
    });
    std::thread answer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        p.components.log.hold.letGo();
    });
    p.onUi([&] { p.main().tick(mw::时钟_延时打开.name); });  // returns once its pass is played
    answer.join();
    EXPECT_GE(p.calls(), 2u);
    p.clickRun();
    EXPECT_EQ(p.components.log.overlappingCalls, 0);
}

TEST(PlayerThreads, ExitWhileACancelledRunHangsReleasesNothingThoughALaterRunEnded) {
    HungTarget p;
    p.clickRun();
    ASSERT_TRUE(p.untilHeld());
    p.clickRun();  // cancelled, still inside its call
    p.onUi([&] {
        commands::CommandList(p.list()).clearRows();  // a later run without calls ends by itself
        p.main().setText(mw::编辑框_运行次数.name, "1");
    });
    p.clickRun();
    for (int wait = 0; wait < 500 && p.caption() != "运行(F11)"; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(p.caption(), "运行(F11)");
    p.onUi([&] { p.main().requestClose(); });
    EXPECT_FALSE(p.app.cleanUp());
    EXPECT_EQ(p.components.log.released, 0);
}

TEST(PlayerThreads, ExitDuringAHungCallReleasesNothingTheThreadStillUses) {
    HungTarget p;
    p.clickRun();
    ASSERT_TRUE(p.untilHeld());
    p.onUi([&] { p.main().requestClose(); });
    EXPECT_TRUE(p.windows.quitRequested());
    EXPECT_FALSE(p.app.cleanUp());  // the process must end as it is
    EXPECT_FALSE(p.app.cleanUp());
    EXPECT_EQ(p.components.log.released, 0);
    EXPECT_EQ(p.components.log.hold.held(), 1);

    Program idle;  // without a run, or once every run's thread has ended, the exit releases the object
    idle.app.start();
    EXPECT_TRUE(idle.app.cleanUp());
    EXPECT_EQ(idle.components.log.released, 1);
}
