// Fuzz target: any bytes as the notice page, read as the program reads it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "online/NoticePage.h"
#include "text/CodePage936.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string page = text::fromCodePage936(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string_view marker :
         {online::AdvertTextMarker, online::AdvertLinkMarker, online::UpdateTextMarker, online::UpdateAddressMarker}) {
        const std::string value = online::TextBetween(page, marker, online::ValueEnd);
        if (value.find(']') != std::string::npos || (!value.empty() && page.find(value) == std::string::npos)) __builtin_trap();
        if (online::isOpenableWebAddress(value) && value.find_first_of(" \"\r\n") != std::string::npos) __builtin_trap();
    }
    return 0;
}
