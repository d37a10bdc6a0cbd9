#pragma once
// The automation component travels inside the program: at every start it is written to a
// fixed path and registered from there.

#include <string_view>

#include "framework/Platform.h"

namespace automation {

inline constexpr std::string_view ComponentPath = "C:\\WINDOWS\\qdauto.dll";

// Writes the component's image to the path (empty: the fixed path). A failed write (no right
// to write there, or the file is in use by this very process) is ignored.
void InstallComponent(framework::Platform& platform, std::string_view path);

// Registers the component from the path; false when the library cannot be loaded or has no
// registration entry.
bool RegisterComponent(framework::Platform& platform, std::string_view path);

}  // namespace automation
