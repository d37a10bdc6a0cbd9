#pragma once
// A stand-in for the automation component in unit tests: records every call.

#include <memory>
#include <string>
#include <vector>

#include "automation/AutomationObject.h"
#include "framework/headless/Journal.h"

namespace automation::fake {

struct RecordedCall {
    std::string method;
    std::vector<Argument> arguments;
    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

// What the instances of one factory did; outlives the instances.
struct ComponentLog {
    std::vector<std::string> createdClassIds;
    std::vector<RecordedCall> calls;
    int released = 0;
};

class FakeInstance final : public ComponentInstance {
public:
    explicit FakeInstance(ComponentLog& log) : log_(log) {}
    ~FakeInstance() override { ++log_.released; }
    std::int32_t call(std::string_view method, std::span<const Argument> arguments) override {
        log_.calls.push_back({std::string(method), {arguments.begin(), arguments.end()}});
        return 1;
    }

private:
    ComponentLog& log_;
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
        return std::make_unique<FakeInstance>(log);
    }

    int failingCreations = 0;  // how many creations fail, as before the component is registered
    framework::headless::Journal* journal = nullptr;
    ComponentLog log;
};

}  // namespace automation::fake
