#include "component/Registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <iterator>

#include "component/Component.h"
#include "component/Module.h"
#include "utils/ScopedWin.h"

#ifdef __MINGW32__
// In oleaut32 since Windows Vista; MinGW-w64's headers lack them.
extern "C" {
DECLSPEC_IMPORT HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpFolder);
DECLSPEC_IMPORT HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID id, WORD major, WORD minor, LCID locale, SYSKIND kind);
}
#endif

namespace qdauto {
namespace {

constexpr wchar_t Description[] = L"Landou keyboard and mouse automation";
constexpr wchar_t ProgId[] = L"Landou.Automation";
constexpr wchar_t VersionedProgId[] = L"Landou.Automation.1";
constexpr wchar_t ClassesKey[] = L"Software\\Classes\\";
// This library's bitness, and the registry view of the other one. A 64-bit and a 32-bit build
// serve 64-bit and 32-bit hosts side by side: each registers its class in its own view, while
// the ProgIDs and the type library's key are shared by both.
#ifdef _WIN64
constexpr SYSKIND OwnSystem = SYS_WIN64;
constexpr REGSAM OtherView = KEY_WOW64_32KEY;
#else
constexpr SYSKIND OwnSystem = SYS_WIN32;
constexpr REGSAM OtherView = KEY_WOW64_64KEY;
#endif

// "Software\Classes\CLSID\{...}" and the type library's identifier as text.
struct ClassKeyPath {
    wchar_t text[64] = L"Software\\Classes\\CLSID\\";
    ClassKeyPath() {
        const size_t prefix = wcslen(text);
        StringFromGUID2(ComponentClassId, text + prefix, static_cast<int>(std::size(text) - prefix));
    }
    const wchar_t* classId() const { return text + wcslen(L"Software\\Classes\\CLSID\\"); }
};

struct TypeLibraryIdText {
    wchar_t text[40] = {};
    TypeLibraryIdText() { StringFromGUID2(TypeLibraryId, text, static_cast<int>(std::size(text))); }
};

// "Software\Classes\" followed by the name.
struct ClassesPath {
    wchar_t text[64] = {};
    explicit ClassesPath(const wchar_t* name) {
        wcscpy(text, ClassesKey);
        wcscat(text, name);
    }
};

LSTATUS setText(HKEY key, const wchar_t* name, const wchar_t* text, size_t length) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>((length + 1) * sizeof(wchar_t)));
}

LSTATUS setText(HKEY key, const wchar_t* name, const wchar_t* text) { return setText(key, name, text, wcslen(text)); }

// The key (under the root, or under a parent key) with its default value; more values may follow.
class WrittenKey {
public:
    WrittenKey(HKEY parent, const wchar_t* path, const wchar_t* value, LSTATUS& status) {
        if (status != ERROR_SUCCESS) return;
        status = RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key_.receive(), nullptr);
        if (status == ERROR_SUCCESS && value) status = setText(key_.get(), nullptr, value);
    }
    operator HKEY() const { return key_.get(); }

private:
    utils::ScopedKey key_;
};

// The class with its server, its ProgIDs and its type library; the ProgIDs pointing to it.
LSTATUS writeClass(HKEY root, const ClassKeyPath& classPath, const module::Path& library) {
    LSTATUS status = ERROR_SUCCESS;
    {
        const WrittenKey classKey(root, classPath.text, Description, status);
        const WrittenKey server(classKey, L"InprocServer32", nullptr, status);
        if (status == ERROR_SUCCESS) status = setText(server, nullptr, library.text(), library.length());
        if (status == ERROR_SUCCESS) status = setText(server, L"ThreadingModel", L"Both");
        const WrittenKey progId(classKey, L"ProgID", VersionedProgId, status);
        const WrittenKey independent(classKey, L"VersionIndependentProgID", ProgId, status);
        const WrittenKey typeLibrary(classKey, L"TypeLib", TypeLibraryIdText().text, status);
        const WrittenKey version(classKey, L"Version", L"1.0", status);
    }
    for (const wchar_t* name : {ProgId, VersionedProgId}) {
        const WrittenKey key(root, ClassesPath(name).text, Description, status);
        const WrittenKey classId(key, L"CLSID", classPath.classId(), status);
        if (name == ProgId) {
            const WrittenKey current(key, L"CurVer", VersionedProgId, status);
        }
    }
    return status;
}

LSTATUS removeTree(HKEY root, const wchar_t* path) {
    const LSTATUS status = RegDeleteTreeW(root, path);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(root, path);  // the key itself, where the tree deletion left it empty
        return ERROR_SUCCESS;
    }
    return status;
}

// Whether the other bitness's build has its class registered there (on a 32-bit Windows there is
// one view only, and this asks it again).
bool otherViewHasClass(HKEY root, const ClassKeyPath& classPath) {
    utils::ScopedKey key;
    return RegOpenKeyExW(root, classPath.text, 0, KEY_READ | OtherView, key.receive()) == ERROR_SUCCESS;
}

// The library that the user's class names, read through the view.
bool userServer(const ClassKeyPath& classPath, REGSAM view, wchar_t (&path)[2 * MAX_PATH]) {
    utils::ScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, classPath.text, 0, KEY_READ | view, key.receive()) != ERROR_SUCCESS) return false;
    DWORD size = sizeof(path) - sizeof(wchar_t);
    DWORD type = 0;
    path[0] = L'\0';
    if (RegGetValueW(key.get(), L"InprocServer32", nullptr, RRF_RT_REG_SZ, &type, path, &size) != ERROR_SUCCESS) return false;
    return true;
}

// Where the user's classes are one key for both bitnesses (as under Wine, unlike Windows), the
// user's class may be the other build's: then it names the same library through both views, and
// not this one.
bool userClassIsTheOtherBuilds(const ClassKeyPath& classPath, const module::Path& library) {
    wchar_t own[2 * MAX_PATH], other[2 * MAX_PATH];
    if (!userServer(classPath, 0, own) || !userServer(classPath, OtherView, other)) return false;
    return wcscmp(own, other) == 0 && (!library.text() || lstrcmpiW(own, library.text()) != 0);
}

// The class of this view, and the ProgIDs unless the other bitness's class still needs them.
LSTATUS removeClass(HKEY root, const ClassKeyPath& classPath) {
    LSTATUS status = removeTree(root, classPath.text);
    if (otherViewHasClass(root, classPath)) return status;
    for (const wchar_t* name : {ProgId, VersionedProgId}) {
        const LSTATUS removed = removeTree(root, ClassesPath(name).text);
        if (status == ERROR_SUCCESS) status = removed;
    }
    return status;
}

// The type library, registered where the class is: for the machine, or for the user.
HRESULT registerTypeLibrary(const module::Path& library, bool forUser) {
    utils::ComPtr<ITypeLib> typeLibrary;
    const HRESULT hr = LoadTypeLibEx(library.text(), REGKIND_NONE, typeLibrary.receive());
    if (FAILED(hr)) return hr;
    auto* path = const_cast<LPOLESTR>(library.text());
    return forUser ? RegisterTypeLibForUser(typeLibrary.get(), path, nullptr) : RegisterTypeLib(typeLibrary.get(), path, nullptr);
}

// The folder in its long form, compared without regard to case; false when it does not fit.
bool sameFolder(const wchar_t* folder, const wchar_t* other) {
    wchar_t longFolder[MAX_PATH + 1], longOther[MAX_PATH + 1];
    const DWORD length = GetLongPathNameW(folder, longFolder, MAX_PATH + 1);
    const DWORD otherLength = GetLongPathNameW(other, longOther, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH || otherLength == 0 || otherLength > MAX_PATH) return false;
    return CompareStringOrdinal(longFolder, static_cast<int>(length), longOther, static_cast<int>(otherLength), TRUE) ==
           CSTR_EQUAL;
}

// A library in the Windows folder or one of its system folders, which only an administrator may
// write, may serve the whole machine. A copy anywhere else may be replaced by its user: it
// serves only the user who registered it, also when registered by an administrator.
bool servesTheMachine(const module::Path& library) {
    const wchar_t* name = wcsrchr(library.text(), L'\\');
    if (!name || name - library.text() > MAX_PATH) return false;
    wchar_t folder[MAX_PATH + 1];
    wcsncpy(folder, library.text(), static_cast<size_t>(name - library.text()));
    folder[name - library.text()] = L'\0';
    wchar_t machineFolder[MAX_PATH + 1];
    using FolderOf = UINT(WINAPI*)(LPWSTR, UINT);
    for (const FolderOf folderOf : {FolderOf(GetWindowsDirectoryW), FolderOf(GetSystemDirectoryW),
                                    FolderOf(GetSystemWow64DirectoryW)}) {
        const UINT length = folderOf(machineFolder, MAX_PATH + 1);
        if (length > 0 && length <= MAX_PATH && sameFolder(folder, machineFolder)) return true;
    }
    return false;
}

}  // namespace

HRESULT registerServer() {
    const module::Path library;
    if (!library.text()) return SELFREG_E_CLASS;
    const ClassKeyPath classPath;
    const LSTATUS machine = servesTheMachine(library) ? writeClass(HKEY_LOCAL_MACHINE, classPath, library) : ERROR_ACCESS_DENIED;
    if (machine == ERROR_SUCCESS) {
        // The user's own registration of this bitness would take precedence.
        if (!userClassIsTheOtherBuilds(classPath, library)) removeClass(HKEY_CURRENT_USER, classPath);
        UnRegisterTypeLibForUser(TypeLibraryId, 1, 0, LOCALE_NEUTRAL, OwnSystem);
        return SUCCEEDED(registerTypeLibrary(library, false)) ? S_OK : SELFREG_E_TYPELIB;
    }
    if (machine != ERROR_ACCESS_DENIED) return SELFREG_E_CLASS;
    if (writeClass(HKEY_CURRENT_USER, classPath, library) != ERROR_SUCCESS) return SELFREG_E_CLASS;
    return SUCCEEDED(registerTypeLibrary(library, true)) ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT unregisterServer() {
    const module::Path library;
    const ClassKeyPath classPath;
    const LSTATUS machine = removeClass(HKEY_LOCAL_MACHINE, classPath);
    const LSTATUS user =
        userClassIsTheOtherBuilds(classPath, library) ? ERROR_SUCCESS : removeClass(HKEY_CURRENT_USER, classPath);
    UnRegisterTypeLib(TypeLibraryId, 1, 0, LOCALE_NEUTRAL, OwnSystem);
    UnRegisterTypeLibForUser(TypeLibraryId, 1, 0, LOCALE_NEUTRAL, OwnSystem);
    return machine == ERROR_SUCCESS && user == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

}  // namespace qdauto
