#include "online/NoticePage.h"

#include <algorithm>

#include "config/Addresses.h"
#include "text/CodePage936.h"

namespace online {
namespace {

constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case is ASCII's: the text is UTF-8, whose multibyte characters hold no ASCII bytes, so
// a match never starts or ends inside a character.
size_t findIgnoringCase(std::string_view text, std::string_view marker) {
    const auto found = std::search(text.begin(), text.end(), marker.begin(), marker.end(),
                                   [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return found == text.end() && !marker.empty() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && findIgnoringCase(text.substr(0, prefix.size()), prefix) == 0;
}

// Characters that an address never holds unencoded and that a command line could take for the
// end of its argument.
constexpr bool unsafeInAddress(unsigned char c) {
    return c <= 0x20 || c == 0x7F || std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string ReadNoticePage(framework::Platform& platform) {
    return text::fromCodePage936(platform.httpGet(std::string(config::NoticePageAddress), NoticePageRead));
}

std::string TextBetween(std::string_view text, std::string_view start, std::string_view end) {
    const size_t at = findIgnoringCase(text, start);
    if (at == std::string_view::npos) return {};
    const std::string_view rest = text.substr(at + start.size());
    const size_t stop = findIgnoringCase(rest, end);
    if (stop == std::string_view::npos) return {};
    return std::string(rest.substr(0, stop));
}

bool isOpenableWebAddress(std::string_view address) {
    std::string_view host;
    if (startsWithIgnoringCase(address, "http://"))
        host = address.substr(7);
    else if (startsWithIgnoringCase(address, "https://"))
        host = address.substr(8);
    else
        return false;
    if (host.empty() || host.front() == '/' || host.front() == '?' || host.front() == '#') return false;
    const auto characters = std::count_if(address.begin(), address.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // a byte that begins a UTF-8 character
    });
    if (static_cast<std::size_t>(characters) > MaxOpenableAddressCharacters) return false;
    return std::none_of(address.begin(), address.end(), [](char c) { return unsafeInAddress(static_cast<unsigned char>(c)); });
}

}  // namespace online
