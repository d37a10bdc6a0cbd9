#pragma once
// The web addresses that the program is configured with.

#include <string_view>

namespace online {

inline constexpr std::string_view NoticePageAddress = "https://landou.example.com/notice.txt";
inline constexpr std::string_view AuthorSiteAddress = "https://landou.example.com/";
inline constexpr std::string_view AuthorChatLink = "im://chat/?to=landou";
inline constexpr std::string_view DemoVideoAddress = "https://landou.example.com/demo/player.html?autoplay=1";

}  // namespace online
