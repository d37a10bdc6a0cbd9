// component-client.exe: uses the automation component as the program does — created by class
// identifier through COM, methods called by name through IDispatch — and runs steps given on
// its command line, separated by ";". Prints a JSON array with one result per step.
//
//   call METHOD ARG...         GetIDsOfNames + Invoke; ARG is TYPE:VALUE with TYPE
//                                i integer, s text, x text as UTF-8 in hex, d floating point,
//                                e empty, n null; prefixed with r: by reference, with v: as a
//                                variant by reference (v:i:5)
//   thread call METHOD ARG...  the same from a second thread (multithreaded apartment) that
//                              gets the object marshaled from this one, while this thread waits
//                              without handling messages
//   cursor                     the cursor position
//   cursor-at X Y MS           the cursor position once it is at (X, Y), or after MS milliseconds
//                              (Wine may undo a placement for a moment by a late pointer motion)
//   screen                     the virtual screen: left, top, width, height
//   find CLASS [CHILD-CLASS]   the first top-level window of the class (or its child), as a number
//   text WINDOW                the window's text
//   sleep MS
//   lifetime DLL               loads the library directly and checks its class factory, object
//                              and lock counting and its free-threaded marshaler
//   bench N                    N calls of MoveTo by name; the median time of one
//   typeinfo                   the methods that the object's type information describes: name,
//                              identifier, parameter types and result type (VARTYPE numbers)
//   progid NAME                the class identifier that the ProgID names

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <list>
#include <string>
#include <vector>

#include "component/Component.h"
#include "text/win32/WideText.h"
#include "utils/ScopedWin.h"
#include "JsonText.h"

using text::narrow;
using text::widen;
using utils::ComPtr;

namespace {

constexpr const CLSID& ClassId = qdauto::ComponentClassId;

std::string hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\"0x%08lX\"", static_cast<unsigned long>(hr));
    return buffer;
}

std::string numbers(std::initializer_list<long long> values) {
    std::string out = "[";
    for (long long v : values) {
        if (out.size() > 1) out += ',';
        out += std::to_string(v);
    }
    return out + ']';
}

long long handleNumber(HWND window) { return static_cast<long>(reinterpret_cast<LONG_PTR>(window)); }

// The arguments of one call, last to first as IDispatch takes them; referenced values are kept
// here too, at stable addresses.
class CallArguments {
public:
    explicit CallArguments(const std::vector<std::string>& given) {
        for (auto it = given.rbegin(); it != given.rend(); ++it) values_.push_back(parse(*it));
    }
    ~CallArguments() {
        for (VARIANT& v : values_) VariantClear(&v);
    }
    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;
    DISPPARAMS parameters() { return {values_.data(), nullptr, static_cast<UINT>(values_.size()), 0}; }

private:
    VARIANT parse(std::string_view text) {
        VARIANT v;
        VariantInit(&v);
        if (text.starts_with("r:") || text.starts_with("v:")) {
            VARIANT& target = referenced_.emplace_back().get();
            target = parse(text.substr(2));
            if (text[0] == 'v') {
                v.vt = VT_VARIANT | VT_BYREF;
                v.pvarVal = &target;
            } else {
                v.vt = static_cast<VARTYPE>(target.vt | VT_BYREF);
                v.byref = &target.lVal;  // the value part of the union, whatever its type
            }
            return v;
        }
        const std::string_view value = text.size() >= 2 ? text.substr(2) : std::string_view();
        switch (text.empty() ? '?' : text[0]) {
            case 'i': v.vt = VT_I4; v.lVal = std::strtol(std::string(value).c_str(), nullptr, 10); break;
            case 'd': v.vt = VT_R8; v.dblVal = std::strtod(std::string(value).c_str(), nullptr); break;
            case 's': v.vt = VT_BSTR; v.bstrVal = bstr(widen(value)); break;
            case 'x': {
                std::string bytes;
                for (size_t i = 0; i + 1 < value.size(); i += 2)
                    bytes += static_cast<char>(std::strtol(std::string(value.substr(i, 2)).c_str(), nullptr, 16));
                v.vt = VT_BSTR;
                v.bstrVal = bstr(widen(bytes));
                break;
            }
            case 'n': v.vt = VT_NULL; break;
            default: break;  // empty
        }
        return v;
    }
    static BSTR bstr(const std::wstring& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

    std::vector<VARIANT> values_;  // one array, as DISPPARAMS takes them
    std::list<utils::ScopedVariant> referenced_;
};

std::string call(IDispatch* object, const std::vector<std::string>& step) {
    if (!object) return "{\"created\":false}";
    if (step.size() < 2) return "null";
    std::wstring name = widen(step[1]);
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return "{\"hr\":" + hex(hr) + ",\"stage\":\"names\"}";
    CallArguments arguments({step.begin() + 2, step.end()});
    DISPPARAMS parameters = arguments.parameters();
    utils::ScopedVariant result;
    UINT argumentError = 99;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result.get(), nullptr,
                        &argumentError);
    std::string out = "{\"hr\":" + hex(hr);
    if (SUCCEEDED(hr))
        out += ",\"type\":" + std::to_string(result.get().vt) + ",\"result\":" + std::to_string(result.get().lVal);
    if (argumentError != 99) out += ",\"argument\":" + std::to_string(argumentError);
    return out + "}";
}

struct ThreadCall {
    IStream* stream = nullptr;
    IDispatch* original = nullptr;
    std::vector<std::string> step;
    std::string result;
};

DWORD WINAPI callOnThread(void* parameter) {
    auto* work = static_cast<ThreadCall*>(parameter);
    const utils::ScopedComApartment apartment(COINIT_MULTITHREADED);
    ComPtr<IDispatch> object;
    const HRESULT hr = CoGetInterfaceAndReleaseStream(work->stream, IID_IDispatch, object.receiveVoid());
    if (SUCCEEDED(hr)) {
        const std::string outcome = call(object.get(), work->step);
        // Without a proxy between, the thread holds the very object that was created.
        work->result = "{\"direct\":" + std::string(object.get() == work->original ? "true" : "false") + ",\"call\":" + outcome + "}";
    } else {
        work->result = "{\"unmarshaled\":" + hex(hr) + "}";
    }
    return 0;
}

std::string callFromThread(IDispatch* object, const std::vector<std::string>& step) {
    if (!object) return "{\"created\":false}";
    ThreadCall work;
    work.original = object;
    work.step.assign(step.begin() + 1, step.end());
    const HRESULT hr = CoMarshalInterThreadInterfaceInStream(IID_IDispatch, object, &work.stream);
    if (FAILED(hr)) return "{\"marshaled\":" + hex(hr) + "}";
    const utils::ScopedHandle thread(CreateThread(nullptr, 0, callOnThread, &work, 0, nullptr));
    // No message loop here: a call that needed this thread would never finish.
    const bool finished = WaitForSingleObject(thread.get(), 10000) == WAIT_OBJECT_0;
    if (!finished) {
        std::printf("[{\"finished\":false}]\n");
        std::fflush(stdout);
        ExitProcess(3);
    }
    return work.result;
}

// The class that unmarshals what the system's free-threaded marshaler marshals within a process.
CLSID freeThreadedUnmarshaler() {
    CLSID unmarshaler = CLSID_NULL;
    ComPtr<IUnknown> marshaler;
    if (FAILED(CoCreateFreeThreadedMarshaler(nullptr, marshaler.receive()))) return unmarshaler;
    if (const auto marshal = marshaler.as<IMarshal>(IID_IMarshal))
        marshal->GetUnmarshalClass(IID_IUnknown, marshaler.get(), MSHCTX_INPROC, nullptr, MSHLFLAGS_NORMAL, &unmarshaler);
    return unmarshaler;
}

std::string lifetime(const std::string& path) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const HMODULE library = LoadLibraryW(widen(path).c_str());
    if (!library) return "{\"loaded\":false}";
    const auto getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void (*)()>(GetProcAddress(library, "DllGetClassObject")));
    const auto canUnloadNow =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void (*)()>(GetProcAddress(library, "DllCanUnloadNow")));
    if (!getClassObject || !canUnloadNow) return "{\"exports\":false}";
    std::string out = "{";
    auto report = [&](const char* name, bool value) {
        out += (out.size() > 1 ? ",\"" : "\"") + std::string(name) + "\":" + (value ? "true" : "false");
    };
    auto unloadable = [&] { return canUnloadNow() == S_OK; };

    // Each reference is let go of before the counts that it must no longer hold are checked.
    report("idle", unloadable());
    ComPtr<IUnknown> unknown;
    report("otherClass", getClassObject(IID_IDispatch, IID_IClassFactory, unknown.receiveVoid()) ==
                             CLASS_E_CLASSNOTAVAILABLE && !unknown);
    ComPtr<IClassFactory> factory;
    if (FAILED(getClassObject(ClassId, IID_IClassFactory, factory.receiveVoid()))) return out + "}";
    report("factoryHeld", !unloadable());
    ComPtr<IDispatch> object;
    report("created", SUCCEEDED(factory->CreateInstance(nullptr, IID_IDispatch, object.receiveVoid())));
    if (!object) return out + "}";
    report("noAggregation", factory->CreateInstance(object.get(), IID_IUnknown, unknown.receiveVoid()) ==
                                CLASS_E_NOAGGREGATION && !unknown);
    factory.reset();
    report("objectHeld", !unloadable());

    CLSID unmarshaler = CLSID_NULL;
    if (const auto marshal = object.as<IMarshal>(IID_IMarshal)) {
        marshal->GetUnmarshalClass(IID_IDispatch, object.get(), MSHCTX_INPROC, nullptr, MSHLFLAGS_NORMAL, &unmarshaler);
        const auto fromObject = object.as<IUnknown>(IID_IUnknown);
        const auto fromMarshal = marshal.as<IUnknown>(IID_IUnknown);
        report("oneIdentity", fromObject && fromObject.get() == fromMarshal.get());
        const auto back = marshal.as<IDispatch>(IID_IDispatch);
        report("marshalerLeadsBack", back && back.get() == object.get());
    }
    report("freeThreaded", unmarshaler != CLSID_NULL && unmarshaler == freeThreadedUnmarshaler());
    report("noOtherInterface", object->QueryInterface(IID_IClassFactory, unknown.receiveVoid()) == E_NOINTERFACE && !unknown);
    UINT typeInfoCount = 99;
    ComPtr<ITypeInfo> unknownTypeInfo;
    ComPtr<ITypeInfo> typeInformation;
    report("typeInfo", object->GetTypeInfoCount(&typeInfoCount) == S_OK && typeInfoCount == 1 &&
                           object->GetTypeInfo(0, 0, typeInformation.receive()) == S_OK && typeInformation &&
                           object->GetTypeInfo(1, 0, unknownTypeInfo.receive()) == DISP_E_BADINDEX);
    typeInformation.reset();
    report("lastRelease", object.release()->Release() == 0);
    report("released", unloadable());

    getClassObject(ClassId, IID_IClassFactory, factory.receiveVoid());
    factory->LockServer(TRUE);
    factory.reset();
    report("locked", !unloadable());
    getClassObject(ClassId, IID_IClassFactory, factory.receiveVoid());
    factory->LockServer(FALSE);
    factory.reset();
    report("unlocked", unloadable());
    return out + "}";
}

std::string bench(IDispatch* object, int calls) {
    if (!object) return "{\"created\":false}";
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> micros;
    int failures = 0;
    for (int i = 0; i < calls; ++i) {
        const std::vector<std::string> step = {"call", "MoveTo", "i:" + std::to_string(300 + (i % 2) * 200),
                                               "i:" + std::to_string(300 + (i % 3) * 100)};
        std::wstring name = L"MoveTo";
        LPOLESTR names[] = {name.data()};
        CallArguments arguments({step.begin() + 2, step.end()});
        DISPPARAMS parameters = arguments.parameters();
        utils::ScopedVariant result;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        DISPID id = 0;
        HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (SUCCEEDED(hr))
            hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result.get(), nullptr, nullptr);
        QueryPerformanceCounter(&end);
        if (FAILED(hr) || result.get().lVal != 1) ++failures;
        micros.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
    }
    if (micros.empty()) return "null";
    std::sort(micros.begin(), micros.end());
    const size_t n = micros.size();
    const double median = n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "{\"calls\":%d,\"failures\":%d,\"medianMicroseconds\":%.1f,\"p90Microseconds\":%.1f}",
                  calls, failures, median, micros[n * 9 / 10]);
    return buffer;
}

std::string windowText(HWND window) {
    if (!IsWindow(window)) return "null";
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return jsonQuoted(narrow(text));
}

HWND windowFromNumber(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::strtol(text.c_str(), nullptr, 10)));
}

std::string typeInfo(IDispatch* object) {
    ComPtr<ITypeInfo> info;
    if (!object || FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.receive()))) return "null";
    TYPEATTR* attributes = nullptr;
    std::string out = "[";
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            FUNCDESC* function = nullptr;
            if (FAILED(info->GetFuncDesc(i, &function))) continue;
            utils::ScopedBstr name;
            info->GetDocumentation(function->memid, name.receive(), nullptr, nullptr, nullptr);
            if (out.size() > 1) out += ',';
            out += "{\"name\":" + jsonQuoted(narrow(name.get() ? name.get() : L"")) + ",\"id\":" + std::to_string(function->memid);
            out += ",\"params\":[";
            for (SHORT p = 0; p < function->cParams; ++p)
                out += (p ? "," : "") + std::to_string(function->lprgelemdescParam[p].tdesc.vt);
            out += "],\"result\":" + std::to_string(function->elemdescFunc.tdesc.vt) + "}";
            info->ReleaseFuncDesc(function);
        }
        info->ReleaseTypeAttr(attributes);
    }
    return out + "]";
}

std::string classOfProgId(const std::string& progId) {
    CLSID id;
    if (FAILED(CLSIDFromProgID(widen(progId).c_str(), &id))) return "null";
    wchar_t text[40];
    StringFromGUID2(id, text, 40);
    return jsonQuoted(narrow(text));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const utils::ScopedComApartment apartment(COINIT_APARTMENTTHREADED);

    std::vector<std::vector<std::string>> steps(1);
    for (int i = 1; i < argc; ++i) {
        const std::string word = narrow(argv[i]);
        if (word == ";")
            steps.emplace_back();
        else
            steps.back().push_back(word);
    }

    ComPtr<IDispatch> object;  // let go of before the apartment ends
    bool tried = false;
    auto component = [&]() {
        if (!tried) {
            tried = true;
            CoCreateInstance(ClassId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                             object.receiveVoid());
        }
        return object.get();
    };

    std::string out = "[";
    for (const auto& step : steps) {
        if (out.size() > 1) out += ',';
        const std::string verb = step.empty() ? "" : step[0];
        if (verb == "call") {
            out += call(component(), step);
        } else if (verb == "thread" && step.size() > 1 && step[1] == "call") {
            out += callFromThread(component(), step);
        } else if (verb == "cursor") {
            POINT p{};
            GetCursorPos(&p);
            out += numbers({p.x, p.y});
        } else if (verb == "cursor-at" && step.size() == 4) {
            const POINT wanted{std::atol(step[1].c_str()), std::atol(step[2].c_str())};
            const DWORD start = GetTickCount();
            POINT p{};
            while (GetCursorPos(&p) && (p.x != wanted.x || p.y != wanted.y) &&
                   GetTickCount() - start < static_cast<DWORD>(std::atoi(step[3].c_str())))
                Sleep(1);
            out += numbers({p.x, p.y});
        } else if (verb == "screen") {
            out += numbers({GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
        } else if (verb == "find" && step.size() >= 2) {
            HWND window = FindWindowW(widen(step[1]).c_str(), nullptr);
            if (window && step.size() >= 3) window = FindWindowExW(window, nullptr, widen(step[2]).c_str(), nullptr);
            out += window ? std::to_string(handleNumber(window)) : "null";
        } else if (verb == "text" && step.size() == 2) {
            out += windowText(windowFromNumber(step[1]));
        } else if (verb == "sleep" && step.size() == 2) {
            Sleep(static_cast<DWORD>(std::atoi(step[1].c_str())));
            out += "null";
        } else if (verb == "lifetime" && step.size() == 2) {
            out += lifetime(step[1]);
        } else if (verb == "typeinfo") {
            out += typeInfo(component());
        } else if (verb == "progid" && step.size() == 2) {
            out += classOfProgId(step[1]);
        } else if (verb == "bench" && step.size() == 2) {
            out += bench(component(), std::atoi(step[1].c_str()));
        } else {
            out += "{\"unknownStep\":" + jsonQuoted(verb) + "}";
        }
    }
    std::printf("%s]\n", out.c_str());
    return 0;
}
