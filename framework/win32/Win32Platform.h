#pragma once

#include "framework/Platform.h"

namespace framework::win32 {

class Win32Platform : public Platform {
public:
    Win32Platform();  // on the user-interface thread
    void initialiseComForThisThread() override;
    std::string executableFolder() override;
    std::string executableName() override;
    void setCurrentFolder(const std::string& folder) override;
    std::string fullPath(const std::string& path) override;
    std::string commandLine() override;
    std::string desktopFolder() override;
    std::string localDataFolder() override;
    std::string windowsFolder() override;

    MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view initialText) override;
    void writeStandardError(std::string_view line) override;

    bool fileExists(const std::string& path) override;
    bool writeFile(const std::string& path, std::string_view bytes) override;
    using Platform::readFile;
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
    bool createFolder(const std::string& path) override;
    bool replaceFile(const std::string& path, std::string_view bytes) override;

    bool setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                         const std::string& text) override;
    bool deleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName) override;
    bool deleteRegistryKey(RegistryRoot root, const std::string& key) override;

    std::string componentImage() override;
    bool registerComponent(const std::string& path) override;
    std::string component32Image() override;
    std::string system32BitFolder() override;
    bool registerComponent32(const std::string& path) override;
    void unloadUnusedLibraries() override;

    void shellOpen(const std::string& target) override;
    std::string httpGet(const std::string& address, const WebRead& limits) override;
    Point cursorPosition() override;
    std::int32_t windowUnderCursor() override;

    std::shared_ptr<CancelToken> newCancelToken() override;
    std::int64_t clockMicroseconds() override;
    bool waitUntil(std::int64_t deadline, CancelToken& token) override;
    bool startThread(std::function<void()> body) override;

private:
    // The thread that made the platform, the user-interface thread: the one that other threads
    // send calls to, and so the one whose waits answer them.
    const unsigned long answeringThread_;
};

}  // namespace framework::win32
