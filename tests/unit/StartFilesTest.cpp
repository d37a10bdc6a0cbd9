// The ".qd" association written at every start, and the file named on the command line.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "app/CommandLine.h"
#include "app/FileAssociation.h"
#include "text/CodePage936.h"

using app::commandLineArguments;
using app::commandLineFile;
using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAfterTheProgramName) {
    EXPECT_EQ(commandLineArguments("\"C:\\Program Files\\landou\\landou.exe\" \"C:\\My Files\\a b.qd\""),
              (Args{"C:\\My Files\\a b.qd"}));
    EXPECT_EQ(commandLineArguments("landou.exe C:\\My Files\\a.qd"), (Args{"C:\\My", "Files\\a.qd"}));
    EXPECT_EQ(commandLineFile("landou.exe C:\\My Files\\a.qd"), "C:\\MyFiles\\a.qd");
    EXPECT_EQ(commandLineFile("\"x.exe\" \"C:\\a.qd\" \"C:\\b.qd\""), "C:\\a.qdC:\\b.qd");
    EXPECT_EQ(commandLineArguments("\"x.exe\"\t\"C:\\数据\\宏 1.qd\"\r\n"), (Args{"C:\\数据\\宏 1.qd"}));
    EXPECT_EQ(commandLineArguments("x.exe ab\"cd\"ef"), (Args{"ab", "cd", "ef"}));
    EXPECT_EQ(commandLineArguments("x.exe \"unterminated path"), (Args{"unterminated path"}));
    EXPECT_EQ(commandLineArguments("x.exe \"\""), (Args{""}));
}

TEST(CommandLine, NoArguments) {
    for (const char* line : {"", "landou.exe", "landou.exe ", "\"C:\\a b\\landou.exe\"", "\"C:\\a b\\landou.exe\"   ",
                             "\"unterminated program name"})
        EXPECT_EQ(commandLineArguments(line), Args{}) << line;
}

TEST(CommandLine, TheNamedFileIsLoadedAtStartUp) {
    Program p;
    p.platform.files()["C:\\My Files\\a b.qd"] = text::toCodePage936("模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[f5+++---");
    p.platform.setCommandLine("\"C:\\Program Files\\landou\\landou.exe\" \"C:\\My Files\\a b.qd\"");
    p.app.start();
    EXPECT_EQ(p.rows(), (std::vector<std::string>{"1|模拟|*|*|*|*|f5"}));

    Program unquoted;
    unquoted.platform.files()["C:\\My Files\\a b.qd"] = p.platform.files()["C:\\My Files\\a b.qd"];
    unquoted.platform.setCommandLine("landou.exe C:\\My Files\\a b.qd");
    unquoted.app.start();
    EXPECT_EQ(unquoted.list().rowCount(), 0);
    EXPECT_TRUE(unquoted.platform.messages().empty());

    // A relative path is taken from the folder the program was started in, not its own.
    Program relative;
    relative.platform.setCurrentFolder("D:\\s");
    relative.platform.files()["D:\\s\\x.qd"] = text::toCodePage936("模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[f6+++---");
    relative.platform.files()["C:\\Program Files\\landou\\x.qd"] = p.platform.files()["C:\\My Files\\a b.qd"];
    relative.platform.setCommandLine("landou.exe x.qd");
    relative.app.start();
    EXPECT_EQ(relative.rows(), (std::vector<std::string>{"1|模拟|*|*|*|*|f6"}));
}

TEST(FileAssociation, RemovesTheUsersChoicesThenWritesTheAssociation) {
    Program p;
    const std::string choices = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.qd";
    p.platform.registry()[choices + "\\OpenWithList"]["a"] = "other.exe";
    p.platform.registry()[choices][""] = "a default value";
    p.platform.registry()[choices]["Other"] = "kept";
    p.journal.clear();
    app::writeFileAssociation(p.platform);
    const std::vector<std::string> expected{
        "delete value " + choices + " [OpenWithList] failed",
        "delete key " + choices + "\\OpenWithList ok",
        "delete value " + choices + " [OpenWithProgids] failed",
        "delete key " + choices + "\\OpenWithProgids failed",
        "delete value " + choices + " [] ok",
        "set HKCR\\.qd [] = qdfile ok",
        "set HKCR\\qdfile [] = qd ok",
        "set HKCR\\qdfile\\DefaultIcon [] = C:\\Program Files\\landou\\Vuve3.ico,0 ok",
        "set HKCR\\qdfile\\shell\\open\\command [] = \"C:\\Program Files\\landou\\landou.exe\" \"%1\" ok",
    };
    EXPECT_EQ(p.journal.entries(), expected);
    EXPECT_EQ(p.platform.registry()[choices]["Other"], "kept");
}

TEST(FileAssociation, TheRegistryRulesFollowTheTrailingBackslash) {
    Program p;
    using Root = framework::Platform::RegistryRoot;
    app::registryWrite(p.platform, Root::CurrentUser, "Software\\x\\name", "value");
    app::registryWrite(p.platform, Root::CurrentUser, "Software\\x\\", "default");
    EXPECT_EQ(p.platform.registry()["HKCU\\Software\\x"], (std::map<std::string, std::string>{{"", "default"}, {"name", "value"}}));
    EXPECT_TRUE(app::registryRemove(p.platform, Root::CurrentUser, "Software\\x\\name"));
    EXPECT_TRUE(app::registryRemove(p.platform, Root::CurrentUser, "Software\\x\\"));
    EXPECT_FALSE(app::registryRemove(p.platform, Root::CurrentUser, "Software\\y\\"));
    // Without a default value, the path with its trailing backslash removes the key itself.
    app::registryWrite(p.platform, Root::CurrentUser, "Software\\z\\name", "value");
    EXPECT_TRUE(app::registryRemove(p.platform, Root::CurrentUser, "Software\\z\\name"));
    EXPECT_TRUE(app::registryRemove(p.platform, Root::CurrentUser, "Software\\z\\"));
    EXPECT_EQ(p.platform.registry().count("HKCU\\Software\\z"), 0u);
}

TEST(FileAssociation, FailuresAreSilent) {
    Program p;
    p.platform.forbidRegistryWrites();
    p.app.start();
    EXPECT_TRUE(p.platform.messages().empty());
    EXPECT_TRUE(p.main().visible());
}
