// The error code of a call that has just failed. A few calls fail without setting one, and a
// failure must never read as code 0, which is success.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qm {

inline std::uint32_t lastFailure() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_INVALID_DATA;
}

}  // namespace qm
