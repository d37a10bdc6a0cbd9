#include "app/PlayCommandLine.h"

#include <algorithm>
#include <vector>

#include "app/CommandLine.h"

namespace app {
namespace {

bool isSwitch(const CommandLineArgument& argument) {
    return !argument.quoted && (argument.text.starts_with('/') || argument.text.starts_with('-'));
}

// The switch's name in lower case, without its / or -.
std::string switchName(const CommandLineArgument& argument) {
    std::string name = argument.text.substr(1);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; });
    return name;
}

// Digits only, from 1 to MaxPlayPasses.
std::optional<int> passCount(std::string_view text) {
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int count = std::stoi(std::string(text));
    if (count < 1 || count > MaxPlayPasses) return std::nullopt;
    return count;
}

}  // namespace

std::optional<PlayRequest> playRequest(std::string_view line) {
    const std::vector<CommandLineArgument> arguments = splitCommandLine(line);
    if (arguments.empty() || !isSwitch(arguments[0]) || switchName(arguments[0]) != "play") return std::nullopt;

    PlayRequest request;
    size_t i = 1;
    for (; i < arguments.size() && !isSwitch(arguments[i]); ++i) request.file += arguments[i].text;
    if (request.file.empty()) {
        request.problem = "/play 之后缺少要执行的文件";
        return request;
    }
    for (; i < arguments.size(); ++i) {
        const CommandLineArgument& argument = arguments[i];
        const std::string name = isSwitch(argument) ? switchName(argument) : std::string();
        if (name == "hide") {
            request.hidesWindows = true;
        } else if (name == "count") {
            const std::optional<int> count = i + 1 < arguments.size() ? passCount(arguments[i + 1].text) : std::nullopt;
            if (!count) {
                request.problem = argument.text + " 之后应为 1 到 " + std::to_string(MaxPlayPasses) + " 之间的次数";
                return request;
            }
            request.passes = *count;
            ++i;
        } else {
            request.problem = (isSwitch(argument) ? "未知的开关：" : "多余的参数：") + argument.text;
            return request;
        }
    }
    return request;
}

}  // namespace app
