#include "framework/headless/HeadlessWindowSystem.h"

#include <algorithm>

namespace framework::headless {

std::unique_ptr<Form> HeadlessWindowSystem::createForm(const WindowDefinition& definition) {
    return std::make_unique<HeadlessForm>(*this, definition);
}

void HeadlessWindowSystem::runMessageLoop() {
    journal_.add("message loop");
    while (!quitRequested_ && !posted_.empty()) {
        auto call = std::move(posted_.front());
        posted_.pop_front();
        const std::lock_guard lock(uiThread_);
        call();
    }
}

void HeadlessWindowSystem::callOnUiThread(const std::function<void()>& call) {
    const std::lock_guard lock(uiThread_);
    call();
}

HeadlessForm* HeadlessWindowSystem::find(std::string_view windowName) const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->definition().name == windowName) return *it;
    return nullptr;
}

bool HeadlessWindowSystem::registerHotkey(HeadlessForm& form, int identifier, bool control, unsigned virtualKey) {
    const bool registered = takenHotkeys_.insert({control, virtualKey}).second;
    journal_.add("hotkey " + std::to_string(identifier) + (control ? " ctrl+" : " ") + std::to_string(virtualKey) +
                 " for " + std::string(form.definition().name) + (registered ? " ok" : " failed"));
    return registered;
}

void HeadlessWindowSystem::formCreated(HeadlessForm& form) {
    forms_.push_back(&form);
    ++aliveForms_;
    journal_.add("create " + std::string(form.definition().name));
}

void HeadlessWindowSystem::formDestroyed(HeadlessForm& form) {
    journal_.add("destroy " + std::string(form.definition().name));
    if (--aliveForms_ == 0) {
        quitRequested_ = true;
        journal_.add("quit");
    }
}

void HeadlessWindowSystem::formReleased(HeadlessForm& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

}  // namespace framework::headless
