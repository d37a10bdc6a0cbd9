#pragma once
// The notice page that the author keeps on the web: its values stand between fixed markers,
// as in 鼠键广告[an advertisement]链接[its link].

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/Platform.h"

namespace online {

inline constexpr std::string_view AdvertTextMarker = "鼠键广告[";
inline constexpr std::string_view AdvertLinkMarker = "链接[";
inline constexpr std::string_view UpdateTextMarker = "更新内容[";
inline constexpr std::string_view UpdateAddressMarker = "更新地址[";
inline constexpr std::string_view ValueEnd = "]";

// How much of the page is read, and for how long: a server that never answers or trickles
// holds start-up for the deadline at most.
inline constexpr framework::Platform::WebRead NoticePageRead{
    .maxBytes = std::size_t{1} << 20,
    .timeoutMilliseconds = 3000,
    .deadlineMilliseconds = 5000,
};

// The page as text: its bytes (code page 936) as they arrived, the empty text when it could
// not be read.
std::string ReadNoticePage(framework::Platform& platform);

// What follows the first occurrence of the start marker, up to the first occurrence of the end
// marker after it, without the end marker; letter case is ignored. The empty text when either
// marker is missing. Nothing is trimmed or unescaped.
std::string TextBetween(std::string_view text, std::string_view start, std::string_view end);

// Longer addresses from the page are not opened: browsers and the shell cut or refuse them.
inline constexpr std::size_t MaxOpenableAddressCharacters = 2048;

// Whether an address that came from the page may be handed to the shell: an http:// or
// https:// address with a host, holding nothing that could end its quoting on a command line
// (spaces, quotes, control characters and the like), of at most MaxOpenableAddressCharacters
// characters.
bool isOpenableWebAddress(std::string_view address);

}  // namespace online
