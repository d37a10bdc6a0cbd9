#pragma once
// Export of the command list to a data file on the desktop, and import of one.

#include <cstddef>
#include <string>

#include "commands/CommandList.h"
#include "framework/Platform.h"
#include "ui/MainWindowDefinition.h"

namespace scriptfile {

// A larger data file is one that cannot be read.
inline constexpr std::size_t MaxFileBytes = std::size_t{64} << 20;

// Asks for a name and writes the list to "<desktop>\<name>.qd", reporting the outcome. A
// failed write leaves an earlier file of that name as it was; a name that the system takes for
// a device ("CON", "COM1.txt" ...) fails so too, without opening the device.
void exportList(framework::Platform& platform, const commands::CommandList& list);

// Lets the user choose a file and appends its rows.
void importFile(framework::Platform& platform, framework::Window<ui::MainWindow> main, commands::CommandList& list);

// Appends the rows of the file at the path; a file that cannot be read adds nothing, and so does
// one too large to read or to hold (memory running out on the way takes back what it added).
// Nothing is reported.
void readFileIntoList(framework::Platform& platform, commands::CommandList& list, const std::string& path);

}  // namespace scriptfile
