// The notice page read at every start: the advertisement line, its link and the update offer.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "config/Addresses.h"
#include "online/NoticePage.h"
#include "text/CodePage936.h"

using namespace framework;
using namespace text;
using framework::headless::ShownMessage;
using online::TextBetween;
namespace mw = ui::main_window;

TEST(TextBetween, TakesTheValueAfterTheFirstStartMarkerUpToTheFirstEndMarker) {
    EXPECT_EQ(TextBetween("鼠键广告[Hello]链接[x]", "鼠键广告[", "]"), "Hello");
    EXPECT_EQ(TextBetween("鼠键广告[Hello]链接[x]", "链接[", "]"), "x");
    EXPECT_EQ(TextBetween("a[one]a[two]", "a[", "]"), "one");
    EXPECT_EQ(TextBetween("a[x]y]z]", "a[", "]"), "x");          // a value cannot hold "]"
    EXPECT_EQ(TextBetween("] before a[x]", "a[", "]"), "x");      // the end marker is sought after the start
    EXPECT_EQ(TextBetween("a[]", "a[", "]"), "");
    EXPECT_EQ(TextBetween("a[ line\r\nbreak ]", "a[", "]"), " line\r\nbreak ");  // raw: nothing trimmed
    EXPECT_EQ(TextBetween("Link[X]", "link[", "]"), "X");         // letter case ignored
    EXPECT_EQ(TextBetween("<B>ad</b>", "<b>", "</B>"), "ad");
}

TEST(TextBetween, IsEmptyWithoutEitherMarker) {
    EXPECT_EQ(TextBetween("", "a[", "]"), "");
    EXPECT_EQ(TextBetween("no markers at all", "a[", "]"), "");
    EXPECT_EQ(TextBetween("a[no end", "a[", "]"), "");
    EXPECT_EQ(TextBetween("a", "a[", "]"), "");
}

TEST(WebAddresses, OnlyHttpAndHttpsAddressesFromThePageMayBeOpened) {
    for (const char* openable : {"http://a.example/", "https://a.example/x?y=1#z", "HTTP://A.EXAMPLE", "https://下载.example/新版.zip"})
        EXPECT_TRUE(online::isOpenableWebAddress(openable)) << openable;
    for (const char* refused : {"", "x", "http://", "https://", "http:///path", "ftp://a.example", "file:///C:/x.exe",
                                "C:\\Windows\\system32\\cmd.exe", "javascript:alert(1)", " http://a.example",
                                "http://a.example/\r\n", "http://a.example/ x", "http://a.example/\" --flag \"",
                                "http://a.example/<x>", "http:\\\\a.example", "mailto:a@b.example"})
        EXPECT_FALSE(online::isOpenableWebAddress(refused)) << refused;
    // At most 2,048 characters, counted as characters, not bytes.
    const std::string longest = "https://下载.example/" + std::string(2048 - 19, 'a');
    EXPECT_TRUE(online::isOpenableWebAddress(longest));
    EXPECT_FALSE(online::isOpenableWebAddress(longest + "a"));
}

namespace {

const std::string Page(config::NoticePageAddress);

// A start with this notice page (UTF-8 here, GBK on the wire); nothing at all when offline.
struct StartWithPage : Program {
    explicit StartWithPage(std::optional<std::string> page, std::vector<MessageAnswer> answers = {}) {
        if (page) platform.setWebPage(Page, toCodePage936(*page));
        for (MessageAnswer a : answers) platform.answerNextMessage(a);
        app.start();
    }
    std::string advertisement() { return main().text(mw::透明标签3.name); }
    void clickAdvertisement() { main().pressLeftButton(mw::透明标签3.name); }
};

ShownMessage update(std::string text) {
    return {std::move(text), "蓝豆程序集_豆荚鼠键更新", MessageIcon::Exclamation, MessageButtons::YesNo};
}

}  // namespace

TEST(NoticePage, BothStartUpStepsUseOneReadOfThePageWithItsLimits) {
    StartWithPage p("鼠键广告[新版]链接[https://ad.example/]更新内容[有新版本]更新地址[http://dl.example/new.zip]",
                    {MessageAnswer::No});
    ASSERT_EQ(p.platform.webReads().size(), 1u);
    const auto& [address, limits] = p.platform.webReads()[0];
    EXPECT_EQ(address, Page);
    EXPECT_EQ(limits.maxBytes, 1u << 20);
    EXPECT_LE(limits.deadlineMilliseconds, 5000);
    EXPECT_LT(limits.timeoutMilliseconds, limits.deadlineMilliseconds);
    EXPECT_EQ(p.advertisement(), "新版");
    EXPECT_EQ(p.platform.messages(), std::vector<ShownMessage>{update("有新版本")});
    const auto& j = p.journal.entries();
    EXPECT_EQ(std::vector<std::string>(j.end() - 2, j.end()), (std::vector<std::string>{"http get " + Page, "message 有新版本"}));
}

TEST(NoticePage, OfflineTheAdvertisementLineEmptiesAndNothingIsOffered) {
    StartWithPage p(std::nullopt);
    EXPECT_EQ(p.advertisement(), "");
    EXPECT_EQ(p.app.noticeBoard().AdvertLink(), "");
    EXPECT_TRUE(p.platform.messages().empty());
    p.clickAdvertisement();  // an empty link is never handed to the shell
    EXPECT_TRUE(p.platform.opened().empty());
}

TEST(NoticePage, TheAdvertisementShowsAndItsLinkOpensOnAPress) {
    StartWithPage p("<html>鼠键广告[新版 蓝豆\r\n来了]链接[https://ad.example/蓝豆]</html>");
    EXPECT_EQ(p.advertisement(), "新版 蓝豆\r\n来了");
    EXPECT_TRUE(p.platform.messages().empty());  // no update address: no offer
    EXPECT_TRUE(p.platform.opened().empty());
    p.clickAdvertisement();
    p.clickAdvertisement();
    EXPECT_EQ(p.platform.opened(), (std::vector<std::string>{"https://ad.example/蓝豆", "https://ad.example/蓝豆"}));
}

TEST(NoticePage, AnAdvertisementLinkThatIsNoWebAddressIsKeptButNeverOpened) {
    StartWithPage p("鼠键广告[ad]链接[C:\\Windows\\system32\\calc.exe]");
    EXPECT_EQ(p.app.noticeBoard().AdvertLink(), "C:\\Windows\\system32\\calc.exe");
    p.clickAdvertisement();
    EXPECT_TRUE(p.platform.opened().empty());
}

TEST(NoticePage, AnUpdateIsOfferedAndYesOpensItsAddress) {
    StartWithPage yes("更新内容[有新版本]更新地址[http://dl.example/new.zip]", {MessageAnswer::Yes});
    EXPECT_EQ(yes.platform.messages(), std::vector<ShownMessage>{update("有新版本")});
    EXPECT_EQ(yes.platform.opened(), std::vector<std::string>{"http://dl.example/new.zip"});
    EXPECT_EQ(yes.advertisement(), "");  // the line empties: the page has no advertisement

    StartWithPage no("更新内容[有新版本]更新地址[http://dl.example/new.zip]", {MessageAnswer::No});
    EXPECT_EQ(no.platform.messages().size(), 1u);
    EXPECT_TRUE(no.platform.opened().empty());
}

TEST(NoticePage, AnUpdateWithoutTextIsOfferedWithAnEmptyMessage) {
    StartWithPage p("更新地址[https://dl.example/]", {MessageAnswer::No});
    EXPECT_EQ(p.platform.messages(), std::vector<ShownMessage>{update("")});
}

TEST(NoticePage, NoUsableUpdateAddressOffersNothing) {
    for (const char* page : {"更新内容[新版本]", "更新内容[新版本]更新地址[]", "更新内容[新版本]更新地址[http://dl.example/new.zip",
                             "更新内容[新版本]更新地址[file:///C:/Windows/notepad.exe]", "更新地址[\\\\server\\share\\setup.exe]"}) {
        StartWithPage p(page);
        EXPECT_TRUE(p.platform.messages().empty()) << page;
        EXPECT_TRUE(p.platform.opened().empty()) << page;
    }
}

TEST(NoticePage, ThePageIsCodePage936TextAndBadBytesDoNoHarm) {
    Program p;
    p.platform.setWebPage(Page, std::string("\x81\xFF\x80 ", 4) + toCodePage936("鼠键广告[蓝豆€]") + std::string("\xB6", 1));
    p.app.start();
    EXPECT_EQ(p.main().text(mw::透明标签3.name), "蓝豆€");
    EXPECT_TRUE(p.platform.messages().empty());
}
