#pragma once
// A data file named on the command line is loaded at start-up (the shell opens ".qd" files so).

#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandList.h"
#include "framework/Platform.h"

namespace app {

// The arguments after the program name. Characters below 0x21 separate arguments; a quoted
// argument is what lies between its quotes (there is no escape character); any other runs up
// to the next character below 0x21 or double quote.
std::vector<std::string> commandLineArguments(std::string_view line);

// All arguments joined without separators; empty when there are none.
std::string commandLineFile(std::string_view line);

// Appends the rows of the file that the command line names; nothing is reported.
void openCommandLineFile(framework::Platform& platform, commands::CommandList& list);

}  // namespace app
