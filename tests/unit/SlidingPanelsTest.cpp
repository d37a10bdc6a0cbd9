// The help panel and the video panel sliding in and out, and the author's links.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "config/Addresses.h"

using namespace framework;
namespace mw = ui::main_window;

namespace {

constexpr auto HelpIn = mw::时钟_载入帮助文档.name;
constexpr auto HelpOut = mw::时钟_关闭帮助文档.name;
constexpr auto VideoIn = mw::时钟_视屏延时开.name;
constexpr auto VideoOut = mw::时钟_视频延时关.name;

struct Panels : Program {
    explicit Panels(bool firstStart = false) {
        if (!firstStart) platform.files()[platform.executableFolder() + "\\kv3170"] = "";
        app.start();
    }
    int helpLeft() { return main().position(mw::分组框_程序帮助.name).x; }
    int videoTop() { return main().position(mw::分组框_视频演示.name).y; }
    bool helpEntryEnabled() { return main().entryEnabled(mw::工具条_添加工具.name, mw::toolbar::Help); }
    void help() { toolbar(mw::toolbar::Help); }
    void close() { main().click(mw::按钮_关闭.name); }
    void video() { main().pressLeftButton(mw::标签_查看视屏演示.name); }
    void undo() { main().click(mw::按钮_撤销.name); }
    // Ticks the timer n times; false if it did not run for each of them.
    bool tick(std::string_view timer, int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (main().timerInterval(timer) != 10) return false;
            main().tick(timer);
        }
        return true;
    }
    bool stopped(std::string_view timer) { return main().timerInterval(timer) == 0; }
    std::string viewer() { return main().address(mw::超文本浏览框_视频演示.name); }
};

}  // namespace

TEST(HelpPanel, TheFirstStartSlidesItInInFiftyOneTicksWithHelpStillEnabled) {
    Panels p(true);
    EXPECT_TRUE(p.tick(HelpIn, 50));
    EXPECT_EQ(p.helpLeft(), 10);
    EXPECT_TRUE(p.tick(HelpIn));
    EXPECT_EQ(p.helpLeft(), 0);
    EXPECT_TRUE(p.stopped(HelpIn));
    EXPECT_TRUE(p.helpEntryEnabled());
    p.help();  // the panel is in already: the next tick ends the slide where it is
    EXPECT_TRUE(p.tick(HelpIn));
    EXPECT_EQ(p.helpLeft(), 0);
    EXPECT_TRUE(p.stopped(HelpIn));
    EXPECT_FALSE(p.helpEntryEnabled());
}

TEST(HelpPanel, HelpDuringTheFirstStartSlideChangesNothingInTheMotion) {
    Panels p(true);
    EXPECT_TRUE(p.tick(HelpIn, 20));
    p.help();
    EXPECT_FALSE(p.helpEntryEnabled());
    EXPECT_TRUE(p.tick(HelpIn, 31));
    EXPECT_EQ(p.helpLeft(), 0);
    EXPECT_TRUE(p.stopped(HelpIn));
}

TEST(HelpPanel, HelpDisablesItsEntryUntilCloseParksThePanel) {
    Panels p;
    EXPECT_TRUE(p.stopped(HelpIn));
    EXPECT_EQ(p.helpLeft(), 510);
    p.help();
    EXPECT_FALSE(p.helpEntryEnabled());
    p.help();  // a disabled entry takes no click
    EXPECT_TRUE(p.tick(HelpIn, 51));
    EXPECT_TRUE(p.stopped(HelpIn));
    EXPECT_FALSE(p.helpEntryEnabled());
    p.close();
    EXPECT_TRUE(p.helpEntryEnabled());
    EXPECT_TRUE(p.tick(HelpOut, 51));
    EXPECT_EQ(p.helpLeft(), 510);
    EXPECT_TRUE(p.stopped(HelpOut));
}

TEST(HelpPanel, CloseWhileComingInStopsTheSlideInAndParksItExactly) {
    Panels p(true);
    EXPECT_TRUE(p.tick(HelpIn, 7));
    p.close();
    EXPECT_TRUE(p.stopped(HelpIn));
    EXPECT_TRUE(p.tick(HelpOut, 7));
    EXPECT_EQ(p.helpLeft(), 510);
    EXPECT_TRUE(p.stopped(HelpOut));
    // Off the grid of steps, a slide still ends on its end value.
    p.main().setPosition(mw::分组框_程序帮助.name, {505, 23});
    p.help();
    EXPECT_TRUE(p.tick(HelpIn, 51));
    EXPECT_EQ(p.helpLeft(), 0);
    EXPECT_TRUE(p.stopped(HelpIn));
}

TEST(VideoPanel, ComesDownInThirtySixTicksWhileTheVideoLoadsAndGoesBackToABlankPage) {
    Panels p;
    p.help();
    p.video();
    EXPECT_EQ(p.viewer(), config::DemoVideoAddress);  // at once, so the video plays while the panel moves
    EXPECT_TRUE(p.tick(VideoIn, 35));
    EXPECT_EQ(p.videoTop(), -10);
    EXPECT_TRUE(p.tick(VideoIn));
    EXPECT_EQ(p.videoTop(), 0);
    EXPECT_TRUE(p.stopped(VideoIn));
    p.undo();
    EXPECT_TRUE(p.tick(VideoOut, 35));
    EXPECT_EQ(p.viewer(), config::DemoVideoAddress);
    EXPECT_TRUE(p.tick(VideoOut));
    EXPECT_EQ(p.videoTop(), -360);
    EXPECT_TRUE(p.stopped(VideoOut));
    EXPECT_EQ(p.viewer(), "about:blank");
    EXPECT_EQ(p.helpLeft(), 510 - 0);  // the help panel stays where it was (its slide never ticked)
}

TEST(VideoPanel, UndoWhileComingDownStopsTheSlideAndParksItExactly) {
    Panels p;
    p.video();
    EXPECT_TRUE(p.tick(VideoIn, 12));
    p.undo();
    EXPECT_TRUE(p.stopped(VideoIn));
    EXPECT_TRUE(p.tick(VideoOut, 12));
    EXPECT_EQ(p.videoTop(), -360);
    EXPECT_EQ(p.viewer(), "about:blank");
    p.video();  // and down again
    EXPECT_TRUE(p.stopped(VideoOut));
    EXPECT_TRUE(p.tick(VideoIn, 36));
    EXPECT_EQ(p.videoTop(), 0);
}

TEST(Links, TheFixedLinksOpenAsTheyAre) {
    Panels p;
    p.main().click(mw::按钮_撤销1.name);
    p.toolbar(mw::toolbar::Author);
    p.toolbar(mw::toolbar::Site);
    EXPECT_EQ(p.platform.opened(), (std::vector<std::string>{std::string(config::DemoVideoAddress),
                                                             std::string(config::AuthorChatLink),
                                                             std::string(config::AuthorSiteAddress)}));
    const auto* link = ui::mainWindowDefinition().find(mw::超级链接框_蓝豆领地.name);
    EXPECT_EQ(link->target, config::AuthorSiteAddress);
}
