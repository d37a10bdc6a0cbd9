#pragma once
// The advertisement line of the main window and the update offer, both from the notice page,
// which each reads by itself once per start.

#include <string>

#include "framework/Platform.h"
#include "ui/MainWindowDefinition.h"

namespace online {

class NoticeBoard {
public:
    NoticeBoard(framework::Platform& platform, framework::Form& main);

    // The advertisement text becomes the caption of the advertisement line (the empty text
    // too); its link is kept for OpenAdvertLink.
    void ShowAdvertisement();
    // A page with an update address offers the update; Yes opens the address. An address
    // that is not an http(s) one offers nothing.
    void OfferUpdate();
    // The advertisement line was pressed: its link opens, if it is an http(s) address.
    void OpenAdvertLink();

    const std::string& AdvertLink() const { return advertLink_; }

private:
    framework::Platform& platform_;
    framework::Window<ui::MainWindow> main_;
    std::string advertLink_;
};

}  // namespace online
