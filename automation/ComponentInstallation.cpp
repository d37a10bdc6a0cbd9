#include "automation/ComponentInstallation.h"

namespace automation {

std::string UserComponentPath(framework::Platform& platform) {
    return platform.localDataFolder() + "\\Landou\\qdauto.dll";
}

bool InstallComponent(framework::Platform& platform, std::string_view path, AutomationObject& object) {
    const std::string file(path.empty() ? ComponentPath : path);
    const std::string image = platform.componentImage();
    if (platform.writeFile(file, image)) return true;
    if (object.empty() || platform.readFile(file) == image) return false;
    object.release();
    platform.unloadUnusedLibraries();
    return platform.writeFile(file, image);
}

bool RegisterComponent(framework::Platform& platform, std::string_view path) {
    return platform.registerComponent(std::string(path.empty() ? ComponentPath : path));
}

bool InstallAndRegisterComponent(framework::Platform& platform, AutomationObject& object) {
    InstallComponent(platform, ComponentPath, object);
    if (RegisterComponent(platform, ComponentPath)) return true;
    const std::string user = UserComponentPath(platform);
    platform.createFolder(user.substr(0, user.rfind('\\')));
    InstallComponent(platform, user, object);
    return RegisterComponent(platform, user);
}

}  // namespace automation
