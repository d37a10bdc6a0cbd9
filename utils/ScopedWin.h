#pragma once
// Owners of Win32 and COM handles: each closes, deletes or releases what it holds when it goes.
