#pragma once
// The program registers itself, at every start, as the opener of ".qd" data files.

#include <string_view>

#include "framework/Platform.h"

namespace app {

// Removes the user's own Explorer choices for ".qd", then writes the association under
// HKEY_CLASSES_ROOT. Every failure is silent.
void writeFileAssociation(framework::Platform& platform);

// A path ending in a backslash names a key, whose default value is written; otherwise the part
// after the last backslash is the value name. The key is created when it cannot be opened.
bool registryWrite(framework::Platform& platform, framework::Platform::RegistryRoot root, std::string_view path,
                   std::string_view text);

// Deletes the value that the path names (after its last backslash; a trailing backslash names
// the default value); when that does not succeed, the key named by the whole path.
bool registryRemove(framework::Platform& platform, framework::Platform::RegistryRoot root, std::string_view path);

}  // namespace app
