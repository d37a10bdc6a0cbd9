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

}  // namespace qdauto::module
