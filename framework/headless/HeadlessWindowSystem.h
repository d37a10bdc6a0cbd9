#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "framework/WindowSystem.h"
#include "framework/headless/HeadlessForm.h"
#include "framework/headless/Journal.h"

namespace framework::headless {

// In-memory windows. The "message loop" runs the calls that tests post, in order, and ends
// when the program has no window left (as the real one does) or nothing is left to run.
class HeadlessWindowSystem final : public WindowSystem {
public:
    explicit HeadlessWindowSystem(Journal& journal) : journal_(journal) {}

    std::unique_ptr<Form> createForm(const WindowDefinition& definition) override;
    void runMessageLoop() override;
    void callOnUiThread(const std::function<void()>& call) override;

    // A call for the message loop to run, as if a user action or a message arrived.
    void post(std::function<void()> call) { posted_.push_back(std::move(call)); }
    // True once the last window has gone: the real loop would have been told to end.
    bool quitRequested() const { return quitRequested_; }
    int aliveForms() const { return aliveForms_; }
    // The newest form made from the definition with this name, or null.
    HeadlessForm* find(std::string_view windowName) const;
    Journal& journal() { return journal_; }

    // Hotkeys: another program may hold some; a registered one is held from then on.
    void takeHotkey(bool control, unsigned virtualKey) { takenHotkeys_.insert({control, virtualKey}); }
    bool registerHotkey(HeadlessForm& form, int identifier, bool control, unsigned virtualKey);

    void formCreated(HeadlessForm& form);
    void formDestroyed(HeadlessForm& form);
    void formReleased(HeadlessForm& form);

private:
    Journal& journal_;
    std::vector<HeadlessForm*> forms_;
    std::deque<std::function<void()>> posted_;
    std::recursive_mutex uiThread_;
    std::set<std::pair<bool, unsigned>> takenHotkeys_;
    int aliveForms_ = 0;
    bool quitRequested_ = false;
};

}  // namespace framework::headless
