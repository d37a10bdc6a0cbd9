#pragma once

#include <functional>
#include <memory>

#include "framework/Form.h"

namespace framework {

// Makes forms and runs the user-interface thread.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Builds the window and all its controls, hidden; no event is delivered before open().
    virtual std::unique_ptr<Form> createForm(const WindowDefinition& definition) = 0;

    // Runs the user-interface thread's message loop until the program has no window left.
    virtual void runMessageLoop() = 0;

    // Runs the call on the user-interface thread and returns when it has run. From the
    // user-interface thread itself the call runs at once.
    virtual void callOnUiThread(const std::function<void()>& call) = 0;
};

}  // namespace framework
