// Functions of system DLLs the program needs only now and then, found on their first call. A DLL
// linked in the usual way is loaded at start with everything it imports: the common dialogs
// bring the printing stack with them, megabytes an idle tray program would carry for nothing.
#pragma once

#include <windows.h>

namespace qm {

// A library of the system folder, loaded only from there: a DLL of the same name beside the
// program is never taken. Null when it cannot be had; the last error then says why.
HMODULE loadSystemLibrary(const wchar_t* library);

// `Function` is the declared function's type (decltype(GetSaveFileNameW)), so that the call is
// checked against the system's own header. Null when the DLL or the function cannot be had; the
// last error then says why. The DLL stays loaded for the rest of the run.
template <typename Function>
Function* lateFunction(const wchar_t* library, const char* name) {
  HMODULE module = loadSystemLibrary(library);
  if (!module) return nullptr;
  // Through a pointer to a function without parameters, which may be cast to any other.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace qm
