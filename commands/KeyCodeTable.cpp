#include "commands/KeyCodeTable.h"

#include "keys/KeyCodeTable.h"
#include "text/CodePage936.h"

namespace commands {

std::string keyCodeTableBytes() { return text::toCodePage936(keys::keyCodeTableText()); }

std::string keyCodeTablePath(framework::Platform& platform) {
    return platform.executableFolder() + "\\蓝豆程序集_键代码对照表.txt";
}

void showKeyCodeTable(framework::Platform& platform) {
    const std::string path = keyCodeTablePath(platform);
    if (!platform.fileExists(path)) platform.writeFile(path, keyCodeTableBytes());
    platform.shellOpen(path);
}

}  // namespace commands
