#pragma once
// A data file named on the command line is loaded at start-up (the shell opens ".qd" files so).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandList.h"
#include "framework/Platform.h"

namespace app {

struct CommandLineArgument {
    std::string text;
    bool quoted = false;
};

// The arguments after the program name. Characters below 0x21 separate arguments; a quoted
// argument is what lies between its quotes (there is no escape character); any other runs up
// to the next character below 0x21 or double quote.
std::vector<CommandLineArgument> splitCommandLine(std::string_view line);
// Their texts.
std::vector<std::string> commandLineArguments(std::string_view line);

// All arguments joined without separators; empty when there are none.
std::string commandLineFile(std::string_view line);

// The file that the process command line names, its path made full from the current folder
// (so taken before anything changes that folder); nothing when there are no arguments.
std::optional<std::string> commandLineFilePath(framework::Platform& platform);

// Appends the rows of the file, if there is one; nothing is reported.
void openCommandLineFile(framework::Platform& platform, commands::CommandList& list, const std::optional<std::string>& path);

}  // namespace app
