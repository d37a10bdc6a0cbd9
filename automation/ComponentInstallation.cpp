#include "automation/ComponentInstallation.h"

namespace automation {

std::string MachineComponentPath(framework::Platform& platform) {
    const std::string folder = platform.windowsFolder();
    return folder.empty() ? std::string() : folder + "\\qdauto.dll";
}

namespace {

// The file holds the image afterwards: it did already, or it was replaced whole.
bool putImage(framework::Platform& platform, const std::string& file, const std::string& image) {
    return platform.readFile(file) == image || platform.replaceFile(file, image);
}

// The user's folder "Landou" (and the subfolder) made; the file's path in it, or empty.
std::string userFolderFile(framework::Platform& platform, std::string_view subfolder) {
    const std::string data = platform.localDataFolder();
    if (data.empty()) return {};
    std::string folder = data + "\\Landou";
    platform.createFolder(folder);
    if (!subfolder.empty()) platform.createFolder(folder += "\\" + std::string(subfolder));
    return folder + "\\qdauto.dll";
}

}  // namespace

bool InstallComponent(framework::Platform& platform, std::string_view path, AutomationObject& object) {
    const std::string file(path.empty() ? MachineComponentPath(platform) : path);
    if (file.empty()) return false;
    const std::string image = platform.componentImage();
    if (putImage(platform, file, image)) return true;
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
    const std::string user = userFolderFile(platform, "");
    return !user.empty() && InstallComponent(platform, user, object) && RegisterComponent(platform, user);
}

bool InstallAndRegisterComponent32(framework::Platform& platform) {
    const std::string image = platform.component32Image();
    const std::string folder = image.empty() ? std::string() : platform.system32BitFolder();
    if (folder.empty() || !platform.fileExists(folder + "\\regsvr32.exe")) return false;  // no 32-bit side
    const std::string machine = folder + "\\qdauto.dll";
    if (putImage(platform, machine, image) && platform.registerComponent32(machine)) return true;
    const std::string user = userFolderFile(platform, "x86");
    return !user.empty() && putImage(platform, user, image) && platform.registerComponent32(user);
}

}  // namespace automation
