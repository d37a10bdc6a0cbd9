// The library's entry points, as COM calls them.

#include <windows.h>

#include "component/Component.h"
#include "component/Module.h"
#include "component/Registration.h"

extern "C" {

HRESULT STDAPICALLTYPE DllRegisterServer() { return qdauto::registerServer(); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return qdauto::unregisterServer(); }

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
    return qdauto::getClassObject(classId, interfaceId, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return qdauto::module::inUse() ? S_FALSE : S_OK; }

}  // extern "C"
