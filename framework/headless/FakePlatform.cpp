#include "framework/headless/FakePlatform.h"

namespace framework::headless {

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
    if (unwritable_.count(path)) return false;
    files_[path] = std::string(bytes);
    return true;
}

std::optional<std::string> FakePlatform::readFile(const std::string& path) {
    const auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

void FakePlatform::shellOpen(const std::string& target) {
    opened_.push_back(target);
    journal_.add("open " + target);
}

}  // namespace framework::headless
