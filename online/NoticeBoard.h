#pragma once
// The advertisement line of the main window and the update offer, both from the one notice page
// read at start-up.

#include <string>
#include <string_view>

#include "framework/Platform.h"
#include "ui/MainWindowDefinition.h"

namespace online {

class NoticeBoard {
public:
    NoticeBoard(framework::Platform& platform, framework::Form& main);

    // The page's advertisement text becomes the caption of the advertisement line (the empty
    // text too); its link is kept for OpenAdvertLink.
    void ShowAdvertisement(std::string_view page);
    // A page with an update address offers the update; Yes opens the address. An address
    // that is not an http(s) one offers nothing.
    void OfferUpdate(std::string_view page);
    // The advertisement line was pressed: its link opens, if it is an http(s) address.
    void OpenAdvertLink();

    const std::string& AdvertLink() const { return advertLink_; }

private:
    framework::Platform& platform_;
    framework::Window<ui::MainWindow> main_;
    std::string advertLink_;
};

}  // namespace online
