// The automation component's library entry points.

#include <windows.h>

extern "C" {

HRESULT __stdcall DllRegisterServer() { return S_OK; }

HRESULT __stdcall DllUnregisterServer() { return S_OK; }

HRESULT __stdcall DllGetClassObject(REFCLSID, REFIID, void** object) {
    if (object) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT __stdcall DllCanUnloadNow() { return S_OK; }

}  // extern "C"
