#include "scriptfile/ScriptFiles.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "scriptfile/ScriptFormat.h"

namespace scriptfile {
namespace {

using framework::MessageButtons;
using framework::MessageIcon;

constexpr std::string_view FullWidthSpace = "\u3000";

// Without leading and trailing spaces, ASCII and full-width.
std::string_view trimSpaces(std::string_view text) {
    for (;;) {
        if (text.starts_with(' ')) text.remove_prefix(1);
        else if (text.starts_with(FullWidthSpace)) text.remove_prefix(FullWidthSpace.size());
        else break;
    }
    for (;;) {
        if (text.ends_with(' ')) text.remove_suffix(1);
        else if (text.ends_with(FullWidthSpace)) text.remove_suffix(FullWidthSpace.size());
        else break;
    }
    return text;
}

constexpr std::string_view DeviceNames[] = {"CON", "PRN", "AUX", "NUL"};

constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return upperAscii(x) == upperAscii(y); });
}

// Whether the system takes the last name of the path for a device: "CON", "NUL", "COM1" and the
// like, in any letter case, followed by nothing, by spaces, or by a dot or a colon and anything.
// Opening one may block the window instead of writing a file.
bool namesDevice(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of("\\/") + 1);
    name = name.substr(0, name.find_first_of(".:"));
    while (name.ends_with(' ')) name.remove_suffix(1);
    if (name.size() < 3) return false;
    const std::string_view device = name.substr(0, 3), number = name.substr(3);
    if (number.empty())
        return std::any_of(std::begin(DeviceNames), std::end(DeviceNames), [&](std::string_view d) { return equalIgnoringCase(device, d); });
    if (!equalIgnoringCase(device, "COM") && !equalIgnoringCase(device, "LPT")) return false;
    // The system counts the superscript digits ¹, ² and ³ as digits too.
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\u00B9" || number == "\u00B2" ||
           number == "\u00B3";
}

// Runs the step; false when memory ran out in it (std::bad_alloc), or a text in it was too long
// for the system's converter (std::length_error).
template <class Step>
bool withinMemory(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return false;
}

// The rows from the index on, the last first: no row before it moves or loses its selection.
void removeRowsFrom(commands::CommandList& list, int first) {
    while (list.rowCount() > first) list.deleteRow(list.rowCount() - 1);
}

}  // namespace

void exportList(framework::Platform& platform, const commands::CommandList& list) {
    std::string bytes;
    if (!withinMemory([&] { bytes = scriptBytes(list); })) {  // as a file that cannot be written
        platform.messageBox("导出数据失败", "蓝豆", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const std::optional<std::string> name = platform.inputBox("请输入保存名称", "蓝豆程序集", "");
    if (!name || trimSpaces(*name).empty()) {
        platform.messageBox("请输入保存名称", "蓝豆程序集", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const std::string path = platform.desktopFolder() + "\\" + *name + ".qd";
    if (!namesDevice(path) && platform.replaceFile(path, bytes))
        platform.messageBox("导出数据成功", "蓝豆", MessageIcon::Exclamation, MessageButtons::Ok);
    else
        platform.messageBox("导出数据失败", "蓝豆", MessageIcon::Error, MessageButtons::Ok);
}

void importFile(framework::Platform& platform, framework::Window<ui::MainWindow> main, commands::CommandList& list) {
    const std::optional<std::string> path = main.showFileDialog(ui::main_window::通用对话框1);
    if (path) readFileIntoList(platform, list, *path);
}

// Reading, decoding and the rows themselves all take memory: where it runs out, the file is one
// that cannot be read.
void readFileIntoList(framework::Platform& platform, commands::CommandList& list, const std::string& path) {
    const int before = list.rowCount();
    const bool read = withinMemory([&] {
        if (const std::optional<std::string> bytes = platform.readFile(path, MaxFileBytes)) appendRecords(*bytes, list);
    });
    if (!read) removeRowsFrom(list, before);
}

}  // namespace scriptfile
