#include "app/FirstRunMarker.h"

namespace app {

std::string firstRunMarkerPath(framework::Platform& platform) {
    return platform.executableFolder() + "\\kv3170";
}

bool isFirstStart(framework::Platform& platform) { return !platform.fileExists(firstRunMarkerPath(platform)); }

void markStarted(framework::Platform& platform) { platform.writeFile(firstRunMarkerPath(platform), {}); }

}  // namespace app
