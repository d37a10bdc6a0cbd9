#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ProgramFixture.h"

using namespace framework;
namespace mw = ui::main_window;

namespace {
const std::string Marker = "C:\\Program Files\\landou\\kv3170";
const std::string UserComponent = "C:\\Users\\user\\AppData\\Local\\Landou\\qdauto.dll";
}

// The journal holds, in order, one entry starting with each of the prefixes (and others).
::testing::AssertionResult happenInOrder(const std::vector<std::string>& journal, const std::vector<std::string>& prefixes) {
    auto next = journal.begin();
    for (const std::string& prefix : prefixes) {
        next = std::find_if(next, journal.end(), [&](const std::string& entry) { return entry.starts_with(prefix); });
        if (next == journal.end()) return ::testing::AssertionFailure() << "no \"" << prefix << "\" in order";
        ++next;
    }
    return ::testing::AssertionSuccess();
}

TEST(StartUp, RunsItsStepsInOrder) {
    Program p;
    p.platform.setCommandLine("landou.exe C:\\a.qd");
    p.app.start();
    EXPECT_TRUE(happenInOrder(p.journal.entries(), {
        "initialise COM",
        "current folder C:\\Program Files\\landou",
        "create component {28E8983D-6D4F-434A-AB18-9FF8684D4FD3}",
        "create MainWindow",
        "show MainWindow",
        "replace C:\\WINDOWS\\qdauto.dll",
        "register C:\\WINDOWS\\qdauto.dll",
        "create MouseCommandWindow",
        "hotkey 33001",
        "hotkey 33007",
        "delete value HKCU\\",
        "set HKCR\\qdfile\\shell\\open\\command",
        "read C:\\a.qd",
        "write " + Marker,
    }));
    EXPECT_FALSE(p.app.automation().empty());
    EXPECT_TRUE(p.main().visible());
    EXPECT_FALSE(p.mouseEditor().visible());
    EXPECT_EQ(p.app.keyEditor().openForm(), nullptr);
    EXPECT_EQ(p.app.editorState().clickModeCursor, -1);
}

TEST(StartUp, GoesOnSilentlyWhenTheComponentCannotBeCreated) {
    Program p;
    p.components.failingCreations = 1000;
    p.app.start();
    EXPECT_TRUE(p.app.automation().empty());
    EXPECT_TRUE(p.main().visible());
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_EQ(p.app.automation().MoveTo(1, 2), 0);
    EXPECT_EQ(p.components.log.createdClassIds.size(), 2u);  // tried again after registering
}

TEST(StartUp, WritesTheEmbeddedComponentAndCreatesTheObjectOnceRegistered) {
    Program first;  // a first start: the class is not registered before component registration
    first.components.failingCreations = 1;
    first.app.start();
    EXPECT_EQ(first.platform.files()["C:\\WINDOWS\\qdauto.dll"], first.platform.componentImage());
    EXPECT_FALSE(first.app.automation().empty());
    EXPECT_EQ(first.components.log.createdClassIds.size(), 2u);

    Program later;
    later.app.start();
    EXPECT_EQ(later.components.log.createdClassIds.size(), 1u);  // created at once: not again
}

TEST(StartUp, AFailedRegistrationIsReportedAndStartUpGoesOn) {
    Program p;
    p.components.failingCreations = 1000;
    p.platform.failComponentRegistration();
    p.app.start();
    const headless::ShownMessage failure{"注册插件失败，请退出流氓杀毒软件后重新打开此软件", "蓝豆程序集",
                                         MessageIcon::Error, MessageButtons::Ok};
    EXPECT_EQ(p.platform.messages(), std::vector<headless::ShownMessage>{failure});
    EXPECT_TRUE(p.mouseEditor().alive());
    EXPECT_EQ(p.main().timerInterval(mw::时钟_载入帮助文档.name), 10);  // the steps after component registration ran
    EXPECT_EQ(p.components.log.createdClassIds.size(), 1u);
}

// Only the program's own bytes are registered from the Windows folder; any other file there
// that cannot be replaced (planted where C:\WINDOWS is an ordinary folder, or an older copy
// that a standard user may not replace) is never loaded: the user's copy is used instead.
TEST(StartUp, AMachineCopyIsRegisteredOnlyWhenItHoldsTheProgramsOwnBytes) {
    Program same;  // another running copy of this version holds it loaded
    same.platform.files()["C:\\WINDOWS\\qdauto.dll"] = same.platform.componentImage();
    same.platform.forbidWrites("C:\\WINDOWS\\qdauto.dll");
    same.app.start();
    EXPECT_TRUE(happenInOrder(same.journal.entries(), {"read C:\\WINDOWS\\qdauto.dll", "register C:\\WINDOWS\\qdauto.dll"}));
    EXPECT_FALSE(same.platform.fileExists(UserComponent));
    EXPECT_FALSE(same.app.automation().empty());

    for (const bool older : {false, true}) {
        Program p;
        p.platform.files()["C:\\WINDOWS\\qdauto.dll"] = older ? "an older component" : "a planted library";
        p.platform.forbidWrites("C:\\WINDOWS\\qdauto.dll");
        p.app.start();
        for (const std::string& entry : p.journal.entries()) EXPECT_NE(entry, "register C:\\WINDOWS\\qdauto.dll");
        EXPECT_EQ(p.platform.files()["C:\\WINDOWS\\qdauto.dll"], older ? "an older component" : "a planted library");
        EXPECT_EQ(p.platform.files()[UserComponent], p.platform.componentImage());
        EXPECT_TRUE(happenInOrder(p.journal.entries(), {"register " + UserComponent, "create component"}));
        EXPECT_FALSE(p.app.automation().empty());
        EXPECT_TRUE(p.platform.messages().empty());
    }
}

TEST(StartUp, AnOlderComponentThatThisProcessHasLoadedIsReplacedAndMadeAgain) {
    Program p;
    p.platform.files()["C:\\WINDOWS\\qdauto.dll"] = "an older component";
    p.platform.holdLoaded("C:\\WINDOWS\\qdauto.dll");  // the object made before was made from it
    p.app.start();
    EXPECT_EQ(p.platform.files()["C:\\WINDOWS\\qdauto.dll"], p.platform.componentImage());
    EXPECT_TRUE(happenInOrder(p.journal.entries(), {
        "create component", "replace C:\\WINDOWS\\qdauto.dll", "release component", "unload unused libraries",
        "replace C:\\WINDOWS\\qdauto.dll", "register C:\\WINDOWS\\qdauto.dll", "create component", "create MouseCommandWindow",
    }));
    EXPECT_FALSE(p.app.automation().empty());
    EXPECT_EQ(p.components.log.released, 1);
    EXPECT_TRUE(p.platform.messages().empty());
}

TEST(StartUp, AWriteCutShortLeavesTheEarlierCopyWhole) {
    Program p;
    p.platform.files()["C:\\WINDOWS\\qdauto.dll"] = "an earlier copy";
    p.platform.cutWritesShort("C:\\WINDOWS\\qdauto.dll");
    p.app.start();
    EXPECT_EQ(p.platform.files()["C:\\WINDOWS\\qdauto.dll"], "an earlier copy");
    EXPECT_EQ(p.platform.files()[UserComponent], p.platform.componentImage());
}

TEST(StartUp, WhereTheWindowsFolderIsClosedTheComponentGoesToTheUsersFolder) {
    Program p;  // a standard user on a machine where no elevated start left a copy
    p.platform.forbidWrites("C:\\WINDOWS\\qdauto.dll");
    p.app.start();
    EXPECT_TRUE(happenInOrder(p.journal.entries(), {
        "replace C:\\WINDOWS\\qdauto.dll", "create folder C:\\Users\\user\\AppData\\Local\\Landou",
        "replace " + UserComponent, "register " + UserComponent, "create MouseCommandWindow",
    }));
    EXPECT_EQ(p.platform.files()[UserComponent], p.platform.componentImage());
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_FALSE(p.app.automation().empty());

    Program closed;  // the user's folder refuses too: then the failure is reported, once
    closed.platform.forbidWrites("C:\\WINDOWS\\qdauto.dll");
    closed.platform.forbidWrites(UserComponent);
    closed.app.start();
    EXPECT_EQ(closed.platform.messages().size(), 1u);
    EXPECT_EQ(closed.platform.messages()[0].text, "注册插件失败，请退出流氓杀毒软件后重新打开此软件");

    Program nowhere;  // no user's folder to be had: no copy anywhere else (the root of a drive)
    nowhere.platform.forbidWrites("C:\\WINDOWS\\qdauto.dll");
    nowhere.platform.setLocalDataFolder("");
    nowhere.app.start();
    EXPECT_EQ(nowhere.platform.messages().size(), 1u);
    for (const auto& [path, bytes] : nowhere.platform.files()) EXPECT_FALSE(path.ends_with("qdauto.dll")) << path;
}

// The component for 32-bit hosts goes beside the 64-bit one by the same rules, and says nothing
// of its failures: the program itself uses the 64-bit one.
TEST(StartUp, The32BitComponentGoesToThe32BitSystemFolderOrElseTheUsersFolderSilently) {
    const std::string machine = "C:\\WINDOWS\\SysWOW64\\qdauto.dll";
    const std::string user = "C:\\Users\\user\\AppData\\Local\\Landou\\x86\\qdauto.dll";
    struct Case {
        const char* name;
        std::function<void(headless::FakePlatform&)> arrange;
        std::string machineAfter, userAfter, registered;
    };
    const std::string image = "MZ 32-bit component image";
    const Case cases[] = {
        {"first start", [](auto&) {}, image, "", machine},
        {"an older copy", [&](auto& f) { f.files()[machine] = "older"; }, image, "", machine},
        {"the folder refuses it", [&](auto& f) { f.forbidWrites(machine); }, "", image, user},
        {"another file that cannot be replaced", [&](auto& f) { f.files()[machine] = "planted"; f.forbidWrites(machine); },
         "planted", image, user},
        {"nowhere", [&](auto& f) { f.forbidWrites(machine); f.forbidWrites(user); }, "", "", ""},
        {"registration fails", [&](auto& f) { f.failComponent32Registration(); }, image, image, ""},
        {"no 32-bit side", [&](auto& f) { f.files().erase("C:\\WINDOWS\\SysWOW64\\regsvr32.exe"); }, "", "", ""},
    };
    for (const Case& c : cases) {
        Program p;
        p.platform.carryComponent32(image);
        p.platform.files()["C:\\WINDOWS\\SysWOW64\\regsvr32.exe"] = "";
        c.arrange(p.platform);
        p.app.start();
        EXPECT_EQ(p.platform.files()[machine], c.machineAfter) << c.name;
        EXPECT_EQ(p.platform.files()[user], c.userAfter) << c.name;
        const auto& journal = p.journal.entries();
        const bool registered = std::find(journal.begin(), journal.end(), "register 32-bit " + c.registered) != journal.end();
        EXPECT_EQ(registered, !c.registered.empty()) << c.name;
        EXPECT_TRUE(p.platform.messages().empty()) << c.name;
        EXPECT_EQ(p.platform.files()["C:\\WINDOWS\\qdauto.dll"], p.platform.componentImage()) << c.name;
    }
}

TEST(StartUp, FirstStartSlidesTheHelpPanelInOnce) {
    Program first;
    first.app.start();
    EXPECT_EQ(first.main().timerInterval(mw::时钟_载入帮助文档.name), 10);
    ASSERT_TRUE(first.platform.fileExists(Marker));
    EXPECT_EQ(first.platform.files()[Marker], "");

    Program later;
    later.platform.files()[Marker] = "something";
    later.app.start();
    EXPECT_EQ(later.main().timerInterval(mw::时钟_载入帮助文档.name), 0);
    EXPECT_EQ(later.platform.files()[Marker], "");  // truncated
}

TEST(StartUp, AnUnwritableFolderMakesEveryStartAFirstStart) {
    for (int start = 0; start < 2; ++start) {
        Program p;
        p.platform.forbidWrites(Marker);
        p.app.start();
        EXPECT_EQ(p.main().timerInterval(mw::时钟_载入帮助文档.name), 10);
        EXPECT_FALSE(p.platform.fileExists(Marker));
        EXPECT_TRUE(p.platform.messages().empty());
    }
}

TEST(Shutdown, ClosingTheMainWindowEndsTheProgramAndReleasesTheComponent) {
    Program p;
    p.windows.post([&] { p.main().requestClose(); });
    p.app.run();
    EXPECT_TRUE(p.windows.quitRequested());
    EXPECT_FALSE(p.mouseEditor().alive());
    EXPECT_EQ(p.components.log.released, 1);
    const auto& j = p.journal.entries();
    const std::vector<std::string> tail(j.end() - 4, j.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"destroy MouseCommandWindow", "destroy MainWindow", "quit", "release component"}));
}

TEST(Shutdown, ClosingWhileTheMouseEditorShowsClosesBoth) {
    Program p;
    p.app.start();
    p.main().click(mw::按钮_添加鼠标.name);
    ASSERT_TRUE(p.mouseEditor().visible());
    p.main().requestClose();
    EXPECT_FALSE(p.mouseEditor().alive());
    EXPECT_TRUE(p.windows.quitRequested());
}

TEST(Shutdown, AnOpenKeyEditorKeepsTheProgramRunningUntilItCloses) {
    Program p;
    p.app.start();
    p.main().click(mw::按钮2.name);
    ASSERT_NE(p.app.keyEditor().openForm(), nullptr);
    p.main().requestClose();
    EXPECT_FALSE(p.windows.quitRequested());
    EXPECT_TRUE(p.keyEditor().alive());
    EXPECT_EQ(p.components.log.released, 0);
    p.keyEditor().requestClose();
    EXPECT_TRUE(p.windows.quitRequested());
    p.app.cleanUp();
    p.app.cleanUp();
    EXPECT_EQ(p.components.log.released, 1);
}

TEST(Windows, TheMouseEditorsCloseBoxOnlyHidesIt) {
    Program p;
    p.app.start();
    p.main().click(mw::按钮_添加鼠标.name);
    p.mouseEditor().setText(ui::mouse_window::编辑框_X坐标.name, "12");
    p.mouseEditor().requestClose();
    EXPECT_TRUE(p.mouseEditor().alive());
    EXPECT_FALSE(p.mouseEditor().visible());
    p.main().click(mw::按钮_添加鼠标.name);
    EXPECT_TRUE(p.mouseEditor().visible());
    EXPECT_EQ(p.mouseEditor().text(ui::mouse_window::编辑框_X坐标.name), "12");
    p.mouseEditor().click(ui::mouse_window::按钮_取消添加.name);
    EXPECT_FALSE(p.mouseEditor().visible());
}

TEST(Windows, ToolbarAddShowsTheAddPanelAndCancelHidesIt) {
    Program p;
    p.app.start();
    auto& main = p.main();
    EXPECT_FALSE(main.controlVisible(mw::分组框_添加分类.name));
    main.clickEntry(mw::工具条_添加工具.name, mw::toolbar::Add);
    EXPECT_TRUE(main.controlVisible(mw::分组框_添加分类.name));
    main.click(mw::按钮_取消.name);
    EXPECT_FALSE(main.controlVisible(mw::分组框_添加分类.name));
    for (int entry : {0, 3, 7, 8, 10, 12, 13}) main.clickEntry(mw::工具条_添加工具.name, entry);
    EXPECT_FALSE(main.controlVisible(mw::分组框_添加分类.name));
}

TEST(Windows, OpeningAnEditorHidesTheAddPanel) {
    Program p;
    p.app.start();
    auto& main = p.main();
    for (auto opener : {mw::按钮_添加鼠标.name, mw::按钮2.name}) {
        main.clickEntry(mw::工具条_添加工具.name, mw::toolbar::Add);
        main.click(opener);
        EXPECT_FALSE(main.controlVisible(mw::分组框_添加分类.name)) << opener;
    }
}

TEST(Windows, ThereIsNeverMoreThanOneKeyEditor) {
    Program p;
    p.app.start();
    p.main().click(mw::按钮2.name);
    framework::Form* first = p.app.keyEditor().openForm();
    p.keyEditor().setText(ui::key_window::编辑框1.name, "enter");
    p.main().click(mw::按钮2.name);
    EXPECT_EQ(p.app.keyEditor().openForm(), first);
    EXPECT_EQ(p.windows.aliveForms(), 3);
    EXPECT_EQ(p.keyEditor().text(ui::key_window::编辑框1.name), "enter");
    EXPECT_EQ(p.journal.entries().back(), "front KeyCommandWindow");
}
