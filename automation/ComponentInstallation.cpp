#include "automation/ComponentInstallation.h"

#include <string>

namespace automation {

void InstallComponent(framework::Platform& platform, std::string_view path) {
    platform.writeFile(std::string(path.empty() ? ComponentPath : path), platform.componentImage());
}

bool RegisterComponent(framework::Platform& platform, std::string_view path) {
    return platform.registerComponent(std::string(path.empty() ? ComponentPath : path));
}

}  // namespace automation
