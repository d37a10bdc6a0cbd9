#include "automation/ComponentInstallation.h"

namespace automation {

std::string MachineComponentPath(framework::Platform& platform) {
    const std::string folder = platform.windowsFolder();
    return folder.empty() ? std::string() : folder + "\\qdauto.dll";
}

std::string UserComponentPath(framework::Platform& platform) {
    const std::string folder = platform.localDataFolder();
    return folder.empty() ? std::string() : folder + "\\Landou\\qdauto.dll";
}

bool InstallComponent(framework::Platform& platform, std::string_view path, AutomationObject& object) {
    const std::string file(path.empty() ? MachineComponentPath(platform) : path);
    if (file.empty()) return false;
    const std::string image = platform.componentImage();
    if (platform.readFile(file) == image) return true;
    if (platform.replaceFile(file, image)) return true;
    if (object.empty()) return false;
    object.release();
    platform.unloadUnusedLibraries();
    return platform.replaceFile(file, image);
}

bool RegisterComponent(framework::Platform& platform, std::string_view path) {
    return platform.registerComponent(std::string(path.empty() ? MachineComponentPath(platform) : path));
}

bool InstallAndRegisterComponent(framework::Platform& platform, AutomationObject& object) {
    const std::string machine = MachineComponentPath(platform);
    // A file there that is not the program's own is never loaded: it may have been planted.
    if (!machine.empty() && InstallComponent(platform, machine, object) && RegisterComponent(platform, machine))
        return true;
    const std::string user = UserComponentPath(platform);
    if (user.empty()) return false;
    platform.createFolder(user.substr(0, user.rfind('\\')));
    return InstallComponent(platform, user, object) && RegisterComponent(platform, user);
}

}  // namespace automation
