// hanging-component.dll: a stand-in for the automation component, for the fault tests: the same
// class and methods, but SendText delivers each character with SendMessage, so that a call
// into a window that has stopped answering does not return (as some components behave).
// MoveTo places the cursor and LeftClick clicks where it is; the other methods do nothing and
// succeed. As the real one, it makes one call at a time. The tests register it in the real
// one's place.

#include <windows.h>
#include <oleauto.h>

#include <new>

#include "component/Component.h"
#include "utils/ScopedWin.h"

namespace {

constexpr const CLSID& ClassId = qdauto::ComponentClassId;
LONG objects = 0;

constexpr const wchar_t* Methods[] = {L"MoveTo", L"LeftClick", L"LeftDoubleClick", L"RightClick", L"SendText",
                                       L"KeyPressName"};
constexpr DISPID MoveTo = 1, LeftClick = 2, SendText = 5;
SRWLOCK oneCallAtATime = SRWLOCK_INIT;

bool argumentsAre(const DISPPARAMS* parameters, VARTYPE first, VARTYPE second) {
    return parameters->cArgs == 2 && parameters->rgvarg[1].vt == first && parameters->rgvarg[0].vt == second;
}

void leftClick() {
    INPUT events[2]{};
    events[0].type = events[1].type = INPUT_MOUSE;
    events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, events, sizeof(INPUT));
}

class HangingObject final : public IDispatch {
public:
    HangingObject() { InterlockedIncrement(&objects); }
    ~HangingObject() { InterlockedDecrement(&objects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDispatch ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        for (DISPID i = 0; i < 6; ++i)
            if (lstrcmpiW(names[0], Methods[i]) == 0) {
                ids[0] = i + 1;
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id < 1 || id > 6) return DISP_E_MEMBERNOTFOUND;
        const utils::ScopedExclusiveLock serialized(oneCallAtATime);
        if (id == MoveTo && argumentsAre(parameters, VT_I4, VT_I4))
            SetCursorPos(parameters->rgvarg[1].lVal, parameters->rgvarg[0].lVal);
        if (id == LeftClick) leftClick();
        if (id == SendText && argumentsAre(parameters, VT_I4, VT_BSTR)) {
            const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(parameters->rgvarg[1].lVal));
            const BSTR text = parameters->rgvarg[0].bstrVal;
            for (UINT i = 0; i < SysStringLen(text); ++i) SendMessageW(window, WM_CHAR, text[i], 1);
        }
        if (result) {
            VariantInit(result);
            result->vt = VT_I4;
            result->lVal = 1;
        }
        return S_OK;
    }

private:
    LONG references_ = 1;
};

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IClassFactory ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        const utils::ComPtr<HangingObject> made(new (std::nothrow) HangingObject);
        if (!made) return E_OUTOFMEMORY;
        return made->QueryInterface(id, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID wanted, void** object) {
    if (id != ClassId) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(wanted, object);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return objects == 0 ? S_OK : S_FALSE; }

}  // extern "C"
