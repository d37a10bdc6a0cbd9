#pragma once
// The library itself: its handle, and how much of it is in use. It may unload when nothing is:
// no object, no class factory reference and no server lock.

#include <windows.h>

namespace qdauto::module {

void addUse();
void releaseUse();
bool inUse();

// The library's own handle (not the host program's).
HMODULE handle();

}  // namespace qdauto::module
