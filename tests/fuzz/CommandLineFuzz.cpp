// Fuzz target: any text as the process command line.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto arguments = app::commandLineArguments(line);
    std::size_t total = 0;
    for (const auto& argument : arguments) total += argument.size();
    if (total > line.size() || app::commandLineFile(line).size() != total) __builtin_trap();
    return 0;
}
