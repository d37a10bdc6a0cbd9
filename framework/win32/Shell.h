#pragma once

#include <string_view>

namespace framework::win32 {

// The shell's "open" action on a document or a web address.
void openWithShell(std::string_view target);

}  // namespace framework::win32
