#include "app/FileAssociation.h"

#include <string>

namespace app {
namespace {

using Root = framework::Platform::RegistryRoot;

constexpr std::string_view UserChoices = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.qd\\";

struct KeyAndValue {
    std::string key;
    std::string value;
};

KeyAndValue splitAtLastBackslash(std::string_view path) {
    const size_t last = path.rfind('\\');
    if (last == std::string_view::npos) return {std::string(), std::string(path)};
    return {std::string(path.substr(0, last)), std::string(path.substr(last + 1))};
}

}  // namespace

bool registryWrite(framework::Platform& platform, Root root, std::string_view path, std::string_view text) {
    const KeyAndValue target = splitAtLastBackslash(path);
    return platform.setRegistryText(root, target.key, target.value, std::string(text));
}

bool registryRemove(framework::Platform& platform, Root root, std::string_view path) {
    const KeyAndValue target = splitAtLastBackslash(path);
    return platform.deleteRegistryValue(root, target.key, target.value) ||
           platform.deleteRegistryKey(root, std::string(path));
}

void writeFileAssociation(framework::Platform& platform) {
    const std::string userChoices(UserChoices);
    registryRemove(platform, Root::CurrentUser, userChoices + "OpenWithList");
    registryRemove(platform, Root::CurrentUser, userChoices + "OpenWithProgids");
    registryRemove(platform, Root::CurrentUser, userChoices);

    const std::string folder = platform.executableFolder();
    const std::string program = folder + "\\" + platform.executableName();
    registryWrite(platform, Root::ClassesRoot, ".qd\\", "qdfile");
    registryWrite(platform, Root::ClassesRoot, "qdfile\\", "qd");
    registryWrite(platform, Root::ClassesRoot, "qdfile\\DefaultIcon\\", folder + "\\Vuve3.ico,0");
    // The program path is quoted too: a path with spaces would otherwise name another program.
    registryWrite(platform, Root::ClassesRoot, "qdfile\\shell\\open\\command\\", "\"" + program + "\" \"%1\"");
}

}  // namespace app
