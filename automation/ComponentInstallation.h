#pragma once
// The automation component travels inside the program: at every start it is written to a
// fixed path and registered from there; where that path is closed to the user and holds no copy
// that loads, it goes to the user's own folder instead.

#include <string>
#include <string_view>

#include "automation/AutomationObject.h"
#include "framework/Platform.h"

namespace automation {

inline constexpr std::string_view ComponentPath = "C:\\WINDOWS\\qdauto.dll";

// The folder of the user's local data, "Landou\qdauto.dll" in it.
std::string UserComponentPath(framework::Platform& platform);

// Writes the component's image to the path (empty: the fixed path). Where the write fails
// while the file holds something else and the object exists, this process may have that older
// copy loaded: the object is released, the library unloaded and the write tried once more. A
// file that still cannot be written (no right to write there, or another running copy of the
// program uses it) stays as it is. True when the file now holds the image.
bool InstallComponent(framework::Platform& platform, std::string_view path, AutomationObject& object);

// Registers the component from the path; false when the library cannot be loaded or has no
// registration entry.
bool RegisterComponent(framework::Platform& platform, std::string_view path);

// Installs and registers at the fixed path, or else in the user's folder; false when neither
// registered (the object may have been released meanwhile, to be made again by the caller).
bool InstallAndRegisterComponent(framework::Platform& platform, AutomationObject& object);

}  // namespace automation
