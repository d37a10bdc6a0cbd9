#pragma once
// Owners of Win32 and COM handles: each closes, deletes or releases what it holds when it goes.
// All are move-only (a COM pointer also copies, with a reference of its own) and throw nothing,
// so the component, built without exceptions, uses them too.

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <oleauto.h>

#include <utility>

namespace utils {

// A handle, given how it is closed and which value means none (`Traits::none()`).
template <class Traits>
class Scoped {
public:
    using Handle = typename Traits::Handle;

    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    ~Scoped() { reset(); }
    Scoped(Scoped&& other) noexcept : handle_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::none(); }
    Handle release() { return std::exchange(handle_, Traits::none()); }
    void reset(Handle handle = Traits::none()) {
        const Handle previous = std::exchange(handle_, handle);
        if (previous != Traits::none()) Traits::close(previous);
    }
    // For a function that hands a new handle out through a pointer.
    Handle* receive() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::none();
};

template <class H, auto Close>
struct NullIsNone {
    using Handle = H;
    static Handle none() { return nullptr; }
    static void close(Handle handle) { Close(handle); }
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void destroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }

using ScopedHandle = Scoped<NullIsNone<HANDLE, CloseHandle>>;  // events, threads, timers, processes
using ScopedFile = Scoped<FileTraits>;
template <class Object>
using ScopedGdiObject = Scoped<NullIsNone<Object, deleteGdiObject>>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedImageList = Scoped<NullIsNone<HIMAGELIST, destroyImageList>>;
using ScopedMenu = Scoped<NullIsNone<HMENU, DestroyMenu>>;
using ScopedKey = Scoped<NullIsNone<HKEY, RegCloseKey>>;
using ScopedLibrary = Scoped<NullIsNone<HMODULE, FreeLibrary>>;

// A window's device context (the screen's for no window), released with the window.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a while; the one before comes back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, previous_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The clipboard, open while this lives (if another program let it be opened).
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
    ~ScopedClipboard() {
        if (opened_) CloseClipboard();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    bool opened() const { return opened_; }

private:
    bool opened_;
};

// Global memory locked for reading or writing while this lives.
template <class T>
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL memory) : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
    ~ScopedGlobalLock() {
        if (data_) GlobalUnlock(memory_);
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    T* get() const { return data_; }

private:
    HGLOBAL memory_;
    T* data_;
};

// A reference to a COM object.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference that the caller holds.
    explicit ComPtr(T* object) : object_(object) {}
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    ComPtr& operator=(const ComPtr& other) {
        if (other.object_) other.object_->AddRef();
        reset(other.object_);
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : object_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset(other.release());
        return *this;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    T* release() { return std::exchange(object_, nullptr); }
    // Lets go of the reference held and takes over the one given.
    void reset(T* object = nullptr) {
        if (T* previous = std::exchange(object_, object)) previous->Release();
    }
    // For a function that hands a new reference out through a pointer.
    T** receive() {
        reset();
        return &object_;
    }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }

    // The object's interface I, or nothing.
    template <class I>
    ComPtr<I> as(REFIID id) const {
        ComPtr<I> other;
        if (object_) object_->QueryInterface(id, other.receiveVoid());
        return other;
    }

private:
    T* object_ = nullptr;
};

// A VARIANT, cleared when it goes.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&value_); }
    ~ScopedVariant() { VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT& get() { return value_; }
    const VARIANT& get() const { return value_; }
    // Cleared, for a function that writes a new value into it.
    VARIANT* receive() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

// A BSTR, freed when it goes.
class ScopedBstr {
public:
    ScopedBstr() = default;
    ScopedBstr(const wchar_t* text, UINT length) : text_(SysAllocStringLen(text, length)) {}
    ~ScopedBstr() { SysFreeString(text_); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR get() const { return text_; }
    BSTR* receive() {
        SysFreeString(std::exchange(text_, nullptr));
        return &text_;
    }

private:
    BSTR text_ = nullptr;
};

// A slim reader/writer lock held exclusively for as long as this lives.
class ScopedExclusiveLock {
public:
    explicit ScopedExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ScopedExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ScopedExclusiveLock(const ScopedExclusiveLock&) = delete;
    ScopedExclusiveLock& operator=(const ScopedExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

// COM on this thread for as long as this lives (where it could be started).
class ScopedComApartment {
public:
    explicit ScopedComApartment(DWORD model) : started_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ~ScopedComApartment() {
        if (started_) CoUninitialize();
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

private:
    bool started_;
};

}  // namespace utils
