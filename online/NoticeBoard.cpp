#include "online/NoticeBoard.h"

#include "online/NoticePage.h"

namespace online {

using namespace ui::main_window;

NoticeBoard::NoticeBoard(framework::Platform& platform, framework::Form& main) : platform_(platform), main_(main) {}

void NoticeBoard::ShowAdvertisement(std::string_view page) {
    const std::string text = TextBetween(page, AdvertTextMarker, ValueEnd);
    advertLink_ = TextBetween(page, AdvertLinkMarker, ValueEnd);
    main_.setCaption(透明标签3, text);
}

void NoticeBoard::OfferUpdate(std::string_view page) {
    const std::string text = TextBetween(page, UpdateTextMarker, ValueEnd);
    const std::string address = TextBetween(page, UpdateAddressMarker, ValueEnd);
    if (!isOpenableWebAddress(address)) return;  // the empty address included: no update
    const auto answer = platform_.messageBox(text, "蓝豆程序集_豆荚鼠键更新", framework::MessageIcon::Exclamation,
                                             framework::MessageButtons::YesNo);
    if (answer == framework::MessageAnswer::Yes) platform_.shellOpen(address);
}

void NoticeBoard::OpenAdvertLink() {
    if (isOpenableWebAddress(advertLink_)) platform_.shellOpen(advertLink_);
}

}  // namespace online
