#include "framework/headless/FakePlatform.h"

#include <algorithm>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace framework::headless {

std::string FakePlatform::fullPath(const std::string& path) {
    if (path.empty() || path.starts_with("\\\\") || (path.size() >= 3 && path[1] == ':' && path[2] == '\\')) return path;
    if (path.starts_with('\\')) return currentFolder_.substr(0, 2) + path;
    return currentFolder_ + "\\" + path;
}

MessageAnswer FakePlatform::messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                       MessageButtons buttons) {
    messages_.push_back({std::string(text), std::string(caption), icon, buttons});
    journal_.add("message " + std::string(text));
    if (!messageAnswers_.empty()) {
        const MessageAnswer answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::optional<std::string> FakePlatform::inputBox(std::string_view prompt, std::string_view title,
                                                  std::string_view initialText) {
    journal_.add("input box " + std::string(prompt) + "|" + std::string(title) + "|" + std::string(initialText));
    if (inputAnswers_.empty()) return std::nullopt;
    auto answer = std::move(inputAnswers_.front());
    inputAnswers_.pop_front();
    return answer;
}

bool FakePlatform::writeFile(const std::string& path, std::string_view bytes) {
    journal_.add("write " + path);
    if (unwritable_.count(path) || loaded_.count(path)) return false;
    files_[path] = std::string(bytes);
    if (!cutShort_.count(path)) return true;
    files_[path].resize(bytes.size() / 2);
    return false;
}

std::optional<std::string> FakePlatform::readFile(const std::string& path, std::size_t maxBytes) {
    journal_.add("read " + path);
    const auto it = files_.find(path);
    if (it == files_.end() || it->second.size() > maxBytes) return std::nullopt;
    return it->second;
}

bool FakePlatform::createFolder(const std::string& path) {
    journal_.add("create folder " + path);
    return true;
}

bool FakePlatform::replaceFile(const std::string& path, std::string_view bytes) {
    journal_.add("replace " + path);
    if (unwritable_.count(path) || loaded_.count(path) || cutShort_.count(path)) return false;
    files_[path] = std::string(bytes);
    return true;
}

namespace {

std::string rootName(Platform::RegistryRoot root) {
    return root == Platform::RegistryRoot::ClassesRoot ? "HKCR\\" : "HKCU\\";
}

const char* outcome(bool done) { return done ? " ok" : " failed"; }

}  // namespace

bool FakePlatform::setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                                   const std::string& text) {
    const std::string name = rootName(root) + key;
    journal_.add("set " + name + " [" + valueName + "] = " + text + outcome(registryWritable_));
    if (!registryWritable_) return false;
    registry_[name][valueName] = text;
    return true;
}

bool FakePlatform::deleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName) {
    const std::string name = rootName(root) + key;
    const auto it = registry_.find(name);
    const bool done = it != registry_.end() && it->second.erase(valueName) == 1;
    journal_.add("delete value " + name + " [" + valueName + "]" + outcome(done));
    return done;
}

bool FakePlatform::deleteRegistryKey(RegistryRoot root, const std::string& key) {
    const std::string path = rootName(root) + key;
    // One trailing backslash names the same key, as for the system.
    const std::string name = path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
    bool hasSubkeys = false;
    for (const auto& [other, values] : registry_)
        if (other.size() > name.size() && other.compare(0, name.size() + 1, name + "\\") == 0) hasSubkeys = true;
    const bool done = !hasSubkeys && registry_.erase(name) == 1;
    journal_.add("delete key " + path + outcome(done));
    return done;
}

void FakePlatform::unloadUnusedLibraries() {
    journal_.add("unload unused libraries");
    loaded_.clear();
}

bool FakePlatform::registerComponent(const std::string& path) {
    journal_.add("register " + path);
    return componentRegisters_ && files_.count(path);
}

bool FakePlatform::registerComponent32(const std::string& path) {
    journal_.add("register 32-bit " + path);
    return component32Registers_ && files_.count(path);
}

namespace {

// A token whose cancel wakes threads sleeping on it.
class SleepingToken final : public CancelToken {
public:
    bool sleepUntil(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        wakeUp_.wait_until(lock, deadline, [this] { return cancelled(); });
        return !cancelled();
    }

protected:
    void wake() override {
        const std::lock_guard lock(mutex_);
        wakeUp_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable wakeUp_;
};

}  // namespace

std::shared_ptr<CancelToken> FakePlatform::newCancelToken() {
    if (realThreads_) return std::make_shared<SleepingToken>();
    return std::make_shared<CancelToken>();
}

std::int64_t FakePlatform::clockMicroseconds() {
    if (!realThreads_) return nowMicroseconds_;
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool FakePlatform::waitUntil(std::int64_t deadline, CancelToken& token) {
    if (token.cancelled()) return false;
    if (realThreads_) {
        const std::chrono::steady_clock::time_point end{std::chrono::microseconds(deadline)};
        return static_cast<SleepingToken&>(token).sleepUntil(end);
    }
    const std::int64_t remaining = std::max<std::int64_t>(deadline - nowMicroseconds_, 0);
    journal_.add("wait " + std::to_string(remaining / 1000));  // the virtual clock moves in whole milliseconds
    if (waitHook_) waitHook_(static_cast<int>(remaining / 1000));
    if (token.cancelled()) return false;
    nowMicroseconds_ = std::max(nowMicroseconds_, deadline);
    return true;
}

bool FakePlatform::startThread(std::function<void()> body) {
    if (failingThreadStarts_ > 0) {
        --failingThreadStarts_;
        journal_.add("no thread");
        return false;
    }
    if (!realThreads_) {
        body();
        return true;
    }
    ++liveThreads_;
    std::thread([this, body = std::move(body)] {
        body();
        --liveThreads_;
    }).detach();
    return true;
}

std::string FakePlatform::httpGet(const std::string& address, const WebRead& limits) {
    journal_.add("http get " + address);
    webReads_.emplace_back(address, limits);
    const auto it = webPages_.find(address);
    if (it == webPages_.end()) return {};
    return it->second.substr(0, limits.maxBytes);
}

void FakePlatform::shellOpen(const std::string& target) {
    opened_.push_back(target);
    journal_.add("open " + target);
}

}  // namespace framework::headless
