#pragma once
// The automation component travels inside the program: at every start it is put into the
// Windows folder and registered from there for the machine. Only the program's own bytes are
// ever registered: where that folder is closed to the user or holds another file that cannot be
// replaced, the component goes to the user's own folder and is registered for the user only.

#include <string>
#include <string_view>

#include "automation/AutomationObject.h"
#include "framework/Platform.h"

namespace automation {

// "qdauto.dll" in the Windows folder: the copy for the whole machine (empty when the folder
// cannot be had).
std::string MachineComponentPath(framework::Platform& platform);

// Puts the component's image at the path (empty: the machine's path), unless the file holds it
// already. The file is replaced whole or not at all, so a write cut short leaves an earlier copy
// intact. Where the replacement fails and the object exists, this process may have an older copy
// loaded: the object is released, the library unloaded and the replacement tried once more. True
// when the file now holds the image.
bool InstallComponent(framework::Platform& platform, std::string_view path, AutomationObject& object);

// Registers the component from the path; false when the library cannot be loaded or has no
// registration entry. The component registers a copy in the Windows folder for the machine and
// any other copy for the current user only.
bool RegisterComponent(framework::Platform& platform, std::string_view path);

// Installs and registers the machine's copy, or else the user's ("Landou\qdauto.dll" in the
// folder of the user's local data; none where that folder cannot be had); false when neither
// registered (the object may have been released meanwhile, to be made again by the caller).
bool InstallAndRegisterComponent(framework::Platform& platform, AutomationObject& object);

// The component for 32-bit scripting hosts on a 64-bit Windows, by the same rules: "qdauto.dll"
// in the system folder of the 32-bit programs, registered there for the machine (in the 32-bit
// view of the registry), or else the user's copy ("Landou\x86\qdauto.dll"), for the user. The
// program itself uses the 64-bit one, so this is an addition that reports nothing. False where nothing was registered,
// also where the program carries no 32-bit component or Windows has no 32-bit side.
bool InstallAndRegisterComponent32(framework::Platform& platform);

}  // namespace automation
