#pragma once
// The library itself: its handle, and how much of it is in use. It may unload when nothing is:
// no object, no class factory reference and no server lock.

#include <windows.h>

namespace qdauto::module {

void addUse();
void releaseUse();
bool inUse();

// The library's own handle (not the host program's).
HMODULE handle();

// The library's full path, of any length the system allows (null when it cannot be had).
class Path {
public:
    Path();
    ~Path();
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;

    const wchar_t* text() const { return text_; }
    DWORD length() const { return length_; }

private:
    wchar_t* text_ = nullptr;
    DWORD length_ = 0;
};

}  // namespace qdauto::module
