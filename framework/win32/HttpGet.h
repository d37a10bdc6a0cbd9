#pragma once

#include <string>

#include "framework/Platform.h"

namespace framework::win32 {

// An HTTP GET through WinINet, as Platform::httpGet describes it. The request runs on a thread
// of its own, which the caller waits for until the deadline, answering the messages sent to its
// thread meanwhile; a read still going then is left to end by itself, and what it reads
// afterwards is dropped.
std::string httpGet(const std::string& address, const Platform::WebRead& limits);

}  // namespace framework::win32
