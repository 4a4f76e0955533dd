// Functions of system DLLs the program needs only now and then, found on their first call. A DLL
// linked in the usual way is loaded at start with everything it imports: the common dialogs
// bring the printing stack with them, megabytes an idle tray program would carry for nothing.
#pragma once

#include <windows.h>

namespace qm {

// `Function` is the declared function's type (decltype(GetSaveFileNameW)), so that the call is
// checked against the system's own header. Null when the DLL or the function cannot be had; the
// last error then says why. The DLL stays loaded for the rest of the run.
template <typename Function>
Function* lateFunction(const wchar_t* library, const char* name) {
  // Only from the system folder: a DLL of the same name beside the program is not taken.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  // Through a pointer to a function without parameters, which may be cast to any other.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace qm
