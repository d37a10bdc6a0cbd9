#pragma once
// The empty file "kv3170" beside the executable: its absence marks the first start.

#include <string>

#include "framework/Platform.h"

namespace app {

std::string firstRunMarkerPath(framework::Platform& platform);

bool isFirstStart(framework::Platform& platform);

// Creates or truncates the marker; a failed write is ignored, so a folder that cannot be
// written makes every start a first start.
void markStarted(framework::Platform& platform);

}  // namespace app
