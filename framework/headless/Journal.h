#pragma once
// What the in-memory backend and the fake services were asked to do, in order, so that tests
// can check sequences across them (the start-up order, say).

#include <string>
#include <vector>

namespace framework::headless {

class Journal {
public:
    void add(std::string entry) { entries_.push_back(std::move(entry)); }
    const std::vector<std::string>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    std::vector<std::string> entries_;
};

}  // namespace framework::headless
