#include "scriptfile/ScriptFiles.h"

#include "scriptfile/ScriptFormat.h"

namespace scriptfile {
namespace {

using framework::MessageButtons;
using framework::MessageIcon;

constexpr std::string_view kFullWidthSpace = "\u3000";

// Without leading and trailing spaces, ASCII and full-width.
std::string_view trimSpaces(std::string_view text) {
    for (;;) {
        if (text.starts_with(' ')) text.remove_prefix(1);
        else if (text.starts_with(kFullWidthSpace)) text.remove_prefix(kFullWidthSpace.size());
        else break;
    }
    for (;;) {
        if (text.ends_with(' ')) text.remove_suffix(1);
        else if (text.ends_with(kFullWidthSpace)) text.remove_suffix(kFullWidthSpace.size());
        else break;
    }
    return text;
}

}  // namespace

void exportList(framework::Platform& platform, const commands::CommandList& list) {
    const std::string bytes = scriptBytes(list);
    const std::optional<std::string> name = platform.inputBox("请输入保存名称", "蓝豆程序集", "");
    if (!name || trimSpaces(*name).empty()) {
        platform.messageBox("请输入保存名称", "蓝豆程序集", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const std::string path = platform.desktopFolder() + "\\" + *name + ".qd";
    if (platform.replaceFile(path, bytes))
        platform.messageBox("导出数据成功", "蓝豆", MessageIcon::Exclamation, MessageButtons::Ok);
    else
        platform.messageBox("导出数据失败", "蓝豆", MessageIcon::Error, MessageButtons::Ok);
}

void importFile(framework::Platform& platform, framework::Window<ui::MainWindow> main, commands::CommandList& list) {
    const std::optional<std::string> path = main.showFileDialog(ui::main_window::通用对话框1);
    if (path) readFileIntoList(platform, list, *path);
}

void readFileIntoList(framework::Platform& platform, commands::CommandList& list, const std::string& path) {
    if (const std::optional<std::string> bytes = platform.readFile(path)) appendRecords(*bytes, list);
}

}  // namespace scriptfile
