#include "app/FirstRunMarker.h"

namespace app {

std::string firstRunMarkerPath(framework::Platform& platform) {
    return platform.executableFolder() + "\\kv3170";
}

bool takeFirstStart(framework::Platform& platform) {
    const std::string path = firstRunMarkerPath(platform);
    const bool firstStart = !platform.fileExists(path);
    platform.writeFile(path, {});
    return firstStart;
}

}  // namespace app
