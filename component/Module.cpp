#include "component/Module.h"

namespace qdauto::module {
namespace {

LONG uses = 0;
const int anchor = 0;  // an address inside the library

}  // namespace

void addUse() { InterlockedIncrement(&uses); }

void releaseUse() { InterlockedDecrement(&uses); }

bool inUse() { return InterlockedCompareExchange(&uses, 0, 0) != 0; }

HMODULE handle() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&anchor), &module);
    return module;
}

Path::Path() {
    for (DWORD capacity = MAX_PATH; capacity <= 32768 && !text_; capacity *= 2) {
        auto* buffer = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, capacity * sizeof(wchar_t)));
        if (!buffer) return;
        length_ = GetModuleFileNameW(handle(), buffer, capacity);
        if (length_ > 0 && length_ < capacity)
            text_ = buffer;
        else
            HeapFree(GetProcessHeap(), 0, buffer);
        if (length_ == 0) return;
    }
}

Path::~Path() {
    if (text_) HeapFree(GetProcessHeap(), 0, text_);
}

}  // namespace qdauto::module
