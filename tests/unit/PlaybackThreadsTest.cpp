// The player on real threads: started and cancelled over and over in quick succession.

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "ProgramFixture.h"
#include "commands/CommandList.h"

namespace mw = app::main_window;

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
        if (i % 100 == 0) {  // nothing calls after a cancel
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const std::lock_guard lock(p.components.log.callsMutex);
            ASSERT_EQ(p.components.log.calls.size(), callsAtCancel) << i;
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
