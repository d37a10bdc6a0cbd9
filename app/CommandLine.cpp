#include "app/CommandLine.h"

#include "scriptfile/ScriptFiles.h"

namespace app {
namespace {

bool isSeparator(char c) { return static_cast<unsigned char>(c) < 0x21; }

}  // namespace

std::vector<CommandLineArgument> splitCommandLine(std::string_view line) {
    // The program name: a quoted one up to its closing quote, else up to the first space.
    size_t i = 0;
    if (line.starts_with('"')) {
        const size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        const size_t space = line.find(' ');
        i = space == std::string_view::npos ? line.size() : space + 1;
    }

    std::vector<CommandLineArgument> arguments;
    while (i < line.size()) {
        if (isSeparator(line[i])) {
            ++i;
        } else if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? line.size() : close;
            arguments.push_back({std::string(line.substr(i + 1, end - i - 1)), true});
            i = end + 1;
        } else {
            const size_t start = i;
            while (i < line.size() && !isSeparator(line[i]) && line[i] != '"') ++i;
            arguments.push_back({std::string(line.substr(start, i - start)), false});
        }
    }
    return arguments;
}

std::vector<std::string> commandLineArguments(std::string_view line) {
    std::vector<std::string> texts;
    for (CommandLineArgument& argument : splitCommandLine(line)) texts.push_back(std::move(argument.text));
    return texts;
}

std::string commandLineFile(std::string_view line) {
    std::string path;
    for (const std::string& argument : commandLineArguments(line)) path += argument;
    return path;
}

std::optional<std::string> commandLineFilePath(framework::Platform& platform) {
    const std::string line = platform.commandLine();
    if (commandLineArguments(line).empty()) return std::nullopt;
    return platform.fullPath(commandLineFile(line));
}

void openCommandLineFile(framework::Platform& platform, commands::CommandList& list, const std::optional<std::string>& path) {
    if (path) scriptfile::readFileIntoList(platform, list, *path);
}

}  // namespace app
