#include "component/Registration.h"

#include <olectl.h>

#include <cwchar>
#include <iterator>

#include "component/Component.h"
#include "component/Module.h"

namespace qdauto {
namespace {

constexpr wchar_t kDescription[] = L"Landou keyboard and mouse automation";

// "Software\Classes\CLSID\{...}"
struct ClassKeyPath {
    wchar_t text[64] = L"Software\\Classes\\CLSID\\";
    ClassKeyPath() {
        const size_t prefix = wcslen(text);
        StringFromGUID2(kComponentClassId, text + prefix, static_cast<int>(std::size(text) - prefix));
    }
};

// The library's full path, of any length the system allows.
class LibraryPath {
public:
    LibraryPath() {
        for (DWORD capacity = MAX_PATH; capacity <= 32768 && !text_; capacity *= 2) {
            wchar_t* buffer = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, capacity * sizeof(wchar_t)));
            if (!buffer) return;
            length_ = GetModuleFileNameW(module::handle(), buffer, capacity);
            if (length_ > 0 && length_ < capacity)
                text_ = buffer;
            else
                HeapFree(GetProcessHeap(), 0, buffer);
            if (length_ == 0) return;
        }
    }
    ~LibraryPath() {
        if (text_) HeapFree(GetProcessHeap(), 0, text_);
    }
    LibraryPath(const LibraryPath&) = delete;
    LibraryPath& operator=(const LibraryPath&) = delete;

    const wchar_t* text() const { return text_; }
    DWORD length() const { return length_; }

private:
    wchar_t* text_ = nullptr;
    DWORD length_ = 0;
};

LSTATUS setText(HKEY key, const wchar_t* name, const wchar_t* text, size_t length) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>((length + 1) * sizeof(wchar_t)));
}

LSTATUS writeClass(HKEY root, const ClassKeyPath& classPath, const LibraryPath& library) {
    HKEY classKey = nullptr;
    LSTATUS status = RegCreateKeyExW(root, classPath.text, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                     &classKey, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = setText(classKey, nullptr, kDescription, wcslen(kDescription));
    HKEY serverKey = nullptr;
    if (status == ERROR_SUCCESS)
        status = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                 &serverKey, nullptr);
    if (status == ERROR_SUCCESS) {
        status = setText(serverKey, nullptr, library.text(), library.length());
        if (status == ERROR_SUCCESS) status = setText(serverKey, L"ThreadingModel", L"Both", 4);
        RegCloseKey(serverKey);
    }
    RegCloseKey(classKey);
    return status;
}

LSTATUS removeClass(HKEY root, const ClassKeyPath& classPath) {
    const LSTATUS status = RegDeleteTreeW(root, classPath.text);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

HRESULT registerServer() {
    const LibraryPath library;
    if (!library.text()) return SELFREG_E_CLASS;
    const ClassKeyPath classPath;
    const LSTATUS machine = writeClass(HKEY_LOCAL_MACHINE, classPath, library);
    if (machine == ERROR_SUCCESS) {
        removeClass(HKEY_CURRENT_USER, classPath);
        return S_OK;
    }
    if (machine != ERROR_ACCESS_DENIED) return SELFREG_E_CLASS;
    return writeClass(HKEY_CURRENT_USER, classPath, library) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterServer() {
    const ClassKeyPath classPath;
    const LSTATUS machine = removeClass(HKEY_LOCAL_MACHINE, classPath);
    const LSTATUS user = removeClass(HKEY_CURRENT_USER, classPath);
    return machine == ERROR_SUCCESS && user == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

}  // namespace qdauto
