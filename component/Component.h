#pragma once
// The automation component: one COM class, called by late binding through IDispatch.

#include <windows.h>

namespace qdauto {

// {28E8983D-6D4F-434A-AB18-9FF8684D4FD3}
inline constexpr CLSID kComponentClassId = {
    0x28E8983D, 0x6D4F, 0x434A, {0xAB, 0x18, 0x9F, 0xF8, 0x68, 0x4D, 0x4F, 0xD3}};

// The class factory of the component's class (the one class the library serves).
HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void** object);

}  // namespace qdauto
