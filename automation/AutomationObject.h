#pragma once
// The program's one instance of the automation component, reached by late binding: every call
// names its method and passes typed arguments. The object is empty when the component could
// not be created; every call then does nothing and returns 0, as does a failing call. Calls
// come from more than one thread; those who make them take its call lock, so that they are
// made one at a time.

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace automation {

inline constexpr std::string_view ComponentClassId = "{28E8983D-6D4F-434A-AB18-9FF8684D4FD3}";

using Argument = std::variant<std::int32_t, std::string>;

// A created instance of the component: calls a method by its name.
class ComponentInstance {
public:
    virtual ~ComponentInstance() = default;
    // The method's numeric result; 0 when the method is unknown or the call failed.
    virtual std::int32_t call(std::string_view method, std::span<const Argument> arguments) = 0;
};

// Creates an instance by class identifier (in-process or local server); null on failure.
class ComponentFactory {
public:
    virtual ~ComponentFactory() = default;
    virtual std::unique_ptr<ComponentInstance> create(std::string_view classId) = 0;
};

class AutomationObject {
public:
    AutomationObject() = default;
    explicit AutomationObject(std::unique_ptr<ComponentInstance> instance) : instance_(std::move(instance)) {}
    // The instance moves; the call lock stays with each object.
    AutomationObject(AutomationObject&& other) noexcept : instance_(std::move(other.instance_)) {}
    AutomationObject& operator=(AutomationObject&& other) noexcept {
        instance_ = std::move(other.instance_);
        return *this;
    }

    bool empty() const { return instance_ == nullptr; }
    void release() { instance_.reset(); }

    // Not taken yet: a caller that may wait locks it, one that must not (the user-interface
    // thread, while another thread's call may hang) tries it. Held through the call.
    std::unique_lock<std::mutex> callLock() const { return std::unique_lock(calls_, std::defer_lock); }

    std::int32_t call(std::string_view method, std::span<const Argument> arguments) const {
        return instance_ ? instance_->call(method, arguments) : 0;
    }

    // The six methods the program uses; every result is ignored by the callers.
    std::int32_t MoveTo(std::int32_t x, std::int32_t y) const { return call2("MoveTo", x, y); }
    std::int32_t LeftClick() const { return call("LeftClick", {}); }
    std::int32_t LeftDoubleClick() const { return call("LeftDoubleClick", {}); }
    std::int32_t RightClick() const { return call("RightClick", {}); }
    std::int32_t SendText(std::int32_t window, std::string text) const { return call2("SendText", window, std::move(text)); }
    std::int32_t KeyPressName(std::string key) const {
        const Argument arguments[] = {std::move(key)};
        return call("KeyPressName", arguments);
    }

private:
    template <class A, class B>
    std::int32_t call2(std::string_view method, A a, B b) const {
        const Argument arguments[] = {Argument(std::move(a)), Argument(std::move(b))};
        return call(method, arguments);
    }

    std::unique_ptr<ComponentInstance> instance_;
    mutable std::mutex calls_;
};

}  // namespace automation
