#pragma once
// The empty file "kv3170" beside the executable: its absence marks the first start.

#include <string>

#include "framework/Platform.h"

namespace app {

std::string firstRunMarkerPath(framework::Platform& platform);

// True when the marker is absent. Then, either way, creates or truncates the marker; a failed
// write is ignored, so a folder that cannot be written makes every start a first start.
bool takeFirstStart(framework::Platform& platform);

}  // namespace app
