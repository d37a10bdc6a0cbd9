#pragma once
// The component's registration as a COM class, for in-process use by any thread model, with
// the ProgIDs "Landou.Automation" and "Landou.Automation.1" and its type library.

#include <windows.h>

namespace qdauto {

// A library in the Windows folder (or a system folder) registers the class for the whole machine
// (HKEY_LOCAL_MACHINE\Software\Classes) and removes any registration of the current user, which
// would otherwise take precedence; where the machine's classes may not be written, it registers
// it for the current user (HKEY_CURRENT_USER\Software\Classes), which needs no administrator
// rights. A library anywhere else registers it for the current user only.
HRESULT registerServer();

// Removes the class from both places.
HRESULT unregisterServer();

}  // namespace qdauto
