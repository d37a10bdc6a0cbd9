#pragma once
// Services for the unit tests: files in memory, scripted dialog answers, and a journal of
// every request.

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/Platform.h"
#include "framework/headless/Journal.h"

namespace framework::headless {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class FakePlatform final : public Platform {
public:
    explicit FakePlatform(Journal& journal) : journal_(journal) {}

    void initialiseComForThisThread() override { journal_.add("initialise COM"); }
    std::string executableFolder() override { return executableFolder_; }
    std::string executableName() override { return "landou.exe"; }
    void setCurrentFolder(const std::string& folder) override {
        journal_.add("current folder " + folder);
        currentFolder_ = folder;
    }
    // A path with a drive, or a network path, as it is; any other from the current folder (its
    // drive alone for one that begins with a backslash). "." and ".." are left in.
    std::string fullPath(const std::string& path) override;
    std::string commandLine() override { return commandLine_; }
    std::string desktopFolder() override { return "C:\\Users\\user\\Desktop"; }
    std::string localDataFolder() override { return localDataFolder_; }
    std::string windowsFolder() override { return "C:\\WINDOWS"; }

    MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view initialText) override;
    void writeStandardError(std::string_view line) override { standardError_.emplace_back(line); }

    bool fileExists(const std::string& path) override { return files_.count(path) != 0; }
    bool writeFile(const std::string& path, std::string_view bytes) override;
    using Platform::readFile;
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
    bool createFolder(const std::string& path) override;
    bool replaceFile(const std::string& path, std::string_view bytes) override;

    bool setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                         const std::string& text) override;
    bool deleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName) override;
    bool deleteRegistryKey(RegistryRoot root, const std::string& key) override;

    std::string componentImage() override { return "MZ component image"; }
    bool registerComponent(const std::string& path) override;
    // None unless a test gives one (a run's threads would otherwise race with start-up).
    std::string component32Image() override { return component32Image_; }
    std::string system32BitFolder() override { return "C:\\WINDOWS\\SysWOW64"; }
    bool registerComponent32(const std::string& path) override;
    void unloadUnusedLibraries() override;

    void shellOpen(const std::string& target) override;
    std::string httpGet(const std::string& address, const WebRead& limits) override;
    Point cursorPosition() override { return cursor_; }
    std::int32_t windowUnderCursor() override {
        if (windowUnderCursorHook_) windowUnderCursorHook_();
        return windowUnderCursor_;
    }

    // By default a thread's body runs at once, inside startThread, and a wait takes no time:
    // it is journalled with the milliseconds left to its deadline and moves a virtual clock on.
    // With real threads, bodies run on threads of their own, the clock is the steady clock and
    // waits sleep.
    std::shared_ptr<CancelToken> newCancelToken() override;
    std::int64_t clockMicroseconds() override;
    bool waitUntil(std::int64_t deadline, CancelToken& token) override;
    bool startThread(std::function<void()> body) override;

    // Test set-up and inspection
    std::map<std::string, std::string>& files() { return files_; }
    void setCommandLine(std::string line) { commandLine_ = std::move(line); }
    // Registry keys as "HKCR\\key" or "HKCU\\key", each with its values by name.
    std::map<std::string, std::map<std::string, std::string>>& registry() { return registry_; }
    void forbidRegistryWrites() { registryWritable_ = false; }
    void failComponentRegistration() { componentRegisters_ = false; }
    void carryComponent32(std::string image) { component32Image_ = std::move(image); }
    void failComponent32Registration() { component32Registers_ = false; }
    void setExecutableFolder(std::string folder) { executableFolder_ = std::move(folder); }
    void setLocalDataFolder(std::string folder) { localDataFolder_ = std::move(folder); }
    // A write of the file stops part-way (a full disk, say): what it began is left behind.
    void cutWritesShort(std::string path) { cutShort_.insert(std::move(path)); }
    void forbidWrites(std::string path) { unwritable_.insert(std::move(path)); }
    // The file is a library that this process has loaded: it cannot be written until the
    // unused libraries are unloaded.
    void holdLoaded(std::string path) { loaded_.insert(std::move(path)); }
    void setCursor(Point p) { cursor_ = p; }
    void setWindowUnderCursor(std::int32_t window) { windowUnderCursor_ = window; }
    // Called whenever the window under the cursor is asked for.
    void onWindowUnderCursor(std::function<void()> hook) { windowUnderCursorHook_ = std::move(hook); }
    void useRealThreads() { realThreads_ = true; }
    // The next starts of a thread fail, as when the system can make no more threads.
    void failThreadStarts(int count) { failingThreadStarts_ = count; }
    // Virtual milliseconds passed so far.
    long long now() const { return nowMicroseconds_ / 1000; }
    // Time that passes outside the waits, as inside a call that takes time.
    void advance(int milliseconds) { nowMicroseconds_ += 1000LL * milliseconds; }
    // Called at every virtual wait with its milliseconds, before the time passes (a test acts
    // "during" the wait; time it advances there makes the wait end late).
    void onWait(std::function<void(int milliseconds)> hook) { waitHook_ = std::move(hook); }
    int liveThreads() const { return liveThreads_; }
    // Answers for the next message boxes, in order; when none is queued the first button wins.
    void answerNextMessage(MessageAnswer answer) { messageAnswers_.push_back(answer); }
    // Answers for the next input boxes, in order (nothing = cancelled); when none is queued
    // the box is cancelled.
    void answerNextInput(std::optional<std::string> answer) { inputAnswers_.push_back(std::move(answer)); }
    const std::vector<ShownMessage>& messages() const { return messages_; }
    const std::vector<std::string>& standardError() const { return standardError_; }
    const std::vector<std::string>& opened() const { return opened_; }
    // The body that a GET of the address yields (cut at the read's maxBytes); an address
    // without one yields nothing, as when it cannot be reached.
    void setWebPage(const std::string& address, std::string body) { webPages_[address] = std::move(body); }
    // The reads so far, with their limits.
    const std::vector<std::pair<std::string, WebRead>>& webReads() const { return webReads_; }

private:
    Journal& journal_;
    std::string executableFolder_ = "C:\\Program Files\\landou";
    std::string localDataFolder_ = "C:\\Users\\user\\AppData\\Local";
    std::string currentFolder_ = "C:\\Users\\user";
    std::string commandLine_ = "\"C:\\Program Files\\landou\\landou.exe\"";
    std::vector<std::string> standardError_;
    std::map<std::string, std::map<std::string, std::string>> registry_;
    bool registryWritable_ = true;
    bool componentRegisters_ = true;
    std::string component32Image_;
    bool component32Registers_ = true;
    std::map<std::string, std::string> files_;
    std::set<std::string> unwritable_;
    std::set<std::string> loaded_;
    std::set<std::string> cutShort_;
    Point cursor_;
    std::int32_t windowUnderCursor_ = 0x10086;
    std::function<void()> windowUnderCursorHook_;
    bool realThreads_ = false;
    int failingThreadStarts_ = 0;
    std::int64_t nowMicroseconds_ = 0;
    std::function<void(int)> waitHook_;
    std::atomic<int> liveThreads_{0};
    std::deque<MessageAnswer> messageAnswers_;
    std::deque<std::optional<std::string>> inputAnswers_;
    std::vector<ShownMessage> messages_;
    std::vector<std::string> opened_;
    std::map<std::string, std::string> webPages_;
    std::vector<std::pair<std::string, WebRead>> webReads_;
};

}  // namespace framework::headless
