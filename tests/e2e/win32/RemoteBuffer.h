#pragma once
// Memory in another process, for the messages of common controls that take pointers.

#include <windows.h>

#include <string>

#include "utils/ScopedWin.h"

class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (process_) address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool valid() const { return address_ != nullptr; }
    template <class T>
    T* at(size_t offset) const { return reinterpret_cast<T*>(static_cast<char*>(address_) + offset); }
    void write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    std::wstring readText(size_t offset, size_t characters) const {
        std::wstring text(characters, L'\0');
        read(offset, text.data(), characters * sizeof(wchar_t));
        return text.c_str();
    }

private:
    utils::ScopedHandle process_;
    void* address_ = nullptr;
};
