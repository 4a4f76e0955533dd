#include "OleStart.h"

#include <ole2.h>

#include "EventLine.h"

namespace {

constexpr int kTries = 5;
constexpr DWORD kPauseMs = 200;

}  // namespace

bool StartOle() {
  HRESULT result = E_FAIL;
  for (int attempt = 1; attempt <= kTries; ++attempt) {
    result = OleInitialize(nullptr);
    if (SUCCEEDED(result)) return true;
    Sleep(kPauseMs);
  }
  PrintEvent("ole-failed", "hr=0x%08lx", static_cast<unsigned long>(result));
  return false;
}
