#pragma once
// A stand-in for the automation component in unit tests: records every call.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "automation/AutomationObject.h"
#include "framework/headless/Journal.h"

namespace automation::fake {

struct RecordedCall {
    std::string method;
    std::vector<Argument> arguments;
    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

// Calls of one method that do not return until let go, as into a window that stopped answering.
class CallHold {
public:
    void hold(std::string method) {
        const std::lock_guard lock(mutex_);
        method_ = std::move(method);
    }
    void letGo() {
        {
            const std::lock_guard lock(mutex_);
            method_.clear();
        }
        changed_.notify_all();
    }
    int held() const { return held_; }  // calls waiting now
    void pass(std::string_view method) {
        std::unique_lock lock(mutex_);
        if (method_.empty() || method != method_) return;
        ++held_;
        changed_.wait(lock, [&] { return method_.empty(); });
        --held_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string method_;
    std::atomic<int> held_{0};
};

// What the instances of one factory did; outlives the instances.
struct ComponentLog {
    std::vector<std::string> createdClassIds;
    std::vector<RecordedCall> calls;
    int released = 0;
    std::mutex callsMutex;
    std::atomic<int> callsInProgress{0};
    std::atomic<int> overlappingCalls{0};  // calls made while another was in progress
    CallHold hold;
    std::function<void(const RecordedCall&)> during;  // runs inside every call (time passing there, say)
};

std::string describe(const RecordedCall& call);

class FakeInstance final : public ComponentInstance {
public:
    ~FakeInstance() override {
        ++log_.released;
        if (journal_) journal_->add("release component");
    }
    std::int32_t call(std::string_view method, std::span<const Argument> arguments) override {
        if (++log_.callsInProgress > 1) ++log_.overlappingCalls;
        {
            const std::lock_guard lock(log_.callsMutex);
            log_.calls.push_back({std::string(method), {arguments.begin(), arguments.end()}});
            if (journal_) journal_->add("call " + describe(log_.calls.back()));
            if (log_.during) log_.during(log_.calls.back());
        }
        if (slowCalls_) std::this_thread::yield();
        log_.hold.pass(method);
        --log_.callsInProgress;
        return 1;
    }

    FakeInstance(ComponentLog& log, framework::headless::Journal* journal, bool slowCalls)
        : log_(log), journal_(journal), slowCalls_(slowCalls) {}

private:
    ComponentLog& log_;
    framework::headless::Journal* journal_ = nullptr;
    bool slowCalls_ = false;
};

class FakeComponentFactory final : public ComponentFactory {
public:
    std::unique_ptr<ComponentInstance> create(std::string_view classId) override {
        log.createdClassIds.emplace_back(classId);
        if (journal) journal->add("create component " + std::string(classId));
        if (failingCreations > 0) {
            --failingCreations;
            return nullptr;
        }
        return std::make_unique<FakeInstance>(log, journal, slowCalls);
    }

    int failingCreations = 0;  // how many creations fail, as before the component is registered
    framework::headless::Journal* journal = nullptr;  // where creations and calls are written
    bool slowCalls = false;  // a call gives up the processor in its middle (threaded tests)
    ComponentLog log;
};

inline std::string describe(const RecordedCall& call) {
    std::string text = call.method + "(";
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        if (i) text += ", ";
        if (const auto* number = std::get_if<std::int32_t>(&call.arguments[i])) text += std::to_string(*number);
        else text += "\"" + std::get<std::string>(call.arguments[i]) + "\"";
    }
    return text + ")";
}

}  // namespace automation::fake
