// The component's object. Its methods, called by name:
//
//   MoveTo(x, y)            moves the cursor to the screen pixel
//   LeftClick()             clicks the left button where the cursor is
//   LeftDoubleClick()       double-clicks the left button there
//   RightClick()            clicks the right button there
//   SendText(window, text)  types the text into the window
//   KeyPressName(key)       presses and releases a key, by name or decimal code
//
// Each returns 1 on success and 0 on failure, as a VT_I4. Method names are matched without
// regard to letter case; arguments of other types are converted as VariantChangeType does,
// references included. The object aggregates the free-threaded marshaler: every thread of the
// process calls it directly, without a proxy.

#include "component/Component.h"

#include <oleauto.h>

#include <string_view>

#include "component/Input.h"
#include "component/KeyNames.h"
#include "component/Module.h"
#include "utils/ScopedWin.h"

namespace qdauto {
namespace {

using utils::ComPtr;
using utils::ScopedVariant;

// The arguments of one call, converted to the types the method takes, in the caller's order.
using Arguments = ScopedVariant[2];

LONG result(bool succeeded) { return succeeded ? 1 : 0; }

LONG moveTo(const Arguments& a) { return result(input::moveTo(a[0].get().lVal, a[1].get().lVal)); }
LONG leftClick(const Arguments&) { return result(input::click(input::Button::Left, 1)); }
LONG leftDoubleClick(const Arguments&) { return result(input::click(input::Button::Left, 2)); }
LONG rightClick(const Arguments&) { return result(input::click(input::Button::Right, 1)); }

LONG sendText(const Arguments& a) {
    // Window handles fit in 32 bits; a 64-bit handle is the 32-bit value sign-extended.
    const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(a[0].get().lVal));
    const BSTR text = a[1].get().bstrVal;
    return result(input::sendText(window, std::wstring_view(text, SysStringLen(text))));
}

LONG keyPressName(const Arguments& a) {
    // Key names and codes are short and ASCII; anything else names no key.
    const std::wstring_view text(a[0].get().bstrVal, SysStringLen(a[0].get().bstrVal));
    char name[8];
    if (text.size() > sizeof name) return 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == 0 || text[i] > 0x7E) return 0;
        name[i] = static_cast<char>(text[i]);
    }
    const auto key = virtualKeyFromName(std::string_view(name, text.size()));
    return result(key && input::pressKey(*key));
}

struct Method {
    std::wstring_view name;
    DISPID id;
    UINT parameterCount;
    VARTYPE parameterTypes[2];
    LONG (*run)(const Arguments& arguments);
};

constexpr Method Methods[] = {
    {L"MoveTo", 1, 2, {VT_I4, VT_I4}, moveTo},
    {L"LeftClick", 2, 0, {}, leftClick},
    {L"LeftDoubleClick", 3, 0, {}, leftDoubleClick},
    {L"RightClick", 4, 0, {}, rightClick},
    {L"SendText", 5, 2, {VT_I4, VT_BSTR}, sendText},
    {L"KeyPressName", 6, 1, {VT_BSTR}, keyPressName},
};

constexpr wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

const Method* methodNamed(const wchar_t* name) {
    if (!name) return nullptr;
    const std::wstring_view wanted(name);
    for (const Method& method : Methods) {
        if (method.name.size() != wanted.size()) continue;
        size_t i = 0;
        while (i < wanted.size() && lowerAscii(method.name[i]) == lowerAscii(wanted[i])) ++i;
        if (i == wanted.size()) return &method;
    }
    return nullptr;
}

const Method* methodWithId(DISPID id) {
    for (const Method& method : Methods)
        if (method.id == id) return &method;
    return nullptr;
}

// Converts one argument as given (by value or by reference) to the type the method takes.
HRESULT convert(VARIANT* given, VARTYPE type, LCID locale, VARIANT* converted) {
    ScopedVariant value;
    const HRESULT hr = VariantCopyInd(&value.get(), given);
    return SUCCEEDED(hr) ? VariantChangeTypeEx(converted, &value.get(), locale, 0, type) : hr;
}

class Component final : public IDispatch {
public:
    Component() { module::addUse(); }

    // From the process heap, and null when it is exhausted.
    static void* operator new(size_t size) noexcept { return HeapAlloc(GetProcessHeap(), 0, size); }
    static void operator delete(void* memory) noexcept { HeapFree(GetProcessHeap(), 0, memory); }

    HRESULT initialize() { return CoCreateFreeThreadedMarshaler(static_cast<IUnknown*>(this), marshaler_.receive()); }

    // IUnknown

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (interfaceId == IID_IMarshal) return marshaler_ ? marshaler_->QueryInterface(interfaceId, object) : E_NOINTERFACE;
        if (interfaceId != IID_IUnknown && interfaceId != IID_IDispatch) return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    // The description of the type library in the library itself (calls by name do not need it).
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override {
        if (!typeInfo) return E_POINTER;
        *typeInfo = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        ComPtr<ITypeLib> library;
        const HRESULT hr = loadTypeLibrary(library.receive());
        return FAILED(hr) ? hr : library->GetTypeInfoOfGuid(InterfaceId, typeInfo);
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID reserved, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (reserved != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (count == 0) return S_OK;
        if (!names || !ids) return E_POINTER;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        const Method* method = methodNamed(names[0]);
        if (!method) return DISP_E_UNKNOWNNAME;
        ids[0] = method->id;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // the parameters have no names
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID reserved, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* value, EXCEPINFO*, UINT* argumentError) override {
        if (reserved != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        const Method* method = methodWithId(id);
        if (!method || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        const UINT count = parameters ? parameters->cArgs : 0;
        if (parameters && parameters->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
        if (count != method->parameterCount) return DISP_E_BADPARAMCOUNT;
        if (count > 0 && !parameters->rgvarg) return E_INVALIDARG;

        Arguments arguments;
        for (UINT i = 0; i < count; ++i) {
            const UINT position = count - 1 - i;  // the caller passes the arguments last to first
            const HRESULT hr = convert(&parameters->rgvarg[position], method->parameterTypes[i], locale,
                                       &arguments[i].get());
            if (FAILED(hr)) {
                if (argumentError) *argumentError = position;
                return hr;
            }
        }
        const LONG outcome = method->run(arguments);
        if (value) {
            VariantInit(value);
            value->vt = VT_I4;
            value->lVal = outcome;
        }
        return S_OK;
    }

private:
    ~Component() {
        marshaler_.reset();  // while the library is still counted in use
        module::releaseUse();
    }

    LONG references_ = 1;
    ComPtr<IUnknown> marshaler_;  // the free-threaded marshaler, aggregated
};

class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (interfaceId != IID_IUnknown && interfaceId != IID_IClassFactory) return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }

    // The one factory lives as long as the library; references to it keep the library in use.
    ULONG STDMETHODCALLTYPE AddRef() override {
        module::addUse();
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        module::releaseUse();
        return 1;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        const ComPtr<Component> component(new Component);
        if (!component) return E_OUTOFMEMORY;
        const HRESULT hr = component->initialize();
        return FAILED(hr) ? hr : component->QueryInterface(interfaceId, object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            module::addUse();
        else
            module::releaseUse();
        return S_OK;
    }
};

ClassFactory factory;

}  // namespace

HRESULT loadTypeLibrary(ITypeLib** library) {
    const module::Path path;
    if (!path.text()) return TYPE_E_CANTLOADLIBRARY;
    return LoadTypeLibEx(path.text(), REGKIND_NONE, library);
}

HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (classId != ComponentClassId) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(interfaceId, object);
}

}  // namespace qdauto
