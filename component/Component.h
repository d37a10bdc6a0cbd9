#pragma once
// The automation component: one COM class, called by late binding through IDispatch.

#include <windows.h>
#include <oaidl.h>

namespace qdauto {

// {28E8983D-6D4F-434A-AB18-9FF8684D4FD3}
inline constexpr CLSID ComponentClassId = {
    0x28E8983D, 0x6D4F, 0x434A, {0xAB, 0x18, 0x9F, 0xF8, 0x68, 0x4D, 0x4F, 0xD3}};

// The type library (resource 1 of the library) and the interface it describes the class by.
// {287198CE-5F44-4CCA-93AE-9B2E41DF9D66}
inline constexpr GUID TypeLibraryId = {
    0x287198CE, 0x5F44, 0x4CCA, {0x93, 0xAE, 0x9B, 0x2E, 0x41, 0xDF, 0x9D, 0x66}};
// {F9775936-DDFA-4748-A407-EDDC39699EBF}
inline constexpr IID InterfaceId = {
    0xF9775936, 0xDDFA, 0x4748, {0xA4, 0x07, 0xED, 0xDC, 0x39, 0x69, 0x9E, 0xBF}};

// The type library, loaded from the library's own file.
HRESULT loadTypeLibrary(ITypeLib** library);

// The class factory of the component's class (the one class the library serves).
HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void** object);

}  // namespace qdauto
