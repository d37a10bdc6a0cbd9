#pragma once
// The list of key names and codes that a key row may hold, shown to the user as a text file
// beside the executable.

#include <string>

#include "framework/Platform.h"

namespace commands {

// The file's bytes: code page 936, CR LF line ends.
std::string keyCodeTableBytes();

std::string keyCodeTablePath(framework::Platform& platform);

// Writes the file when it does not exist (an existing one, edited or not, is kept), then opens
// it with the shell. Failures are silent.
void showKeyCodeTable(framework::Platform& platform);

}  // namespace commands
