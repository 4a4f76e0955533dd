#include "platform/win32/Win32OwnFile.h"

#include "platform/OwnFiles.h"

namespace qm {
namespace {

constexpr int kTries = 64;

std::uint32_t nextSerial() {
  // Another run of the program may have left names behind; a fresh start from the clock and the
  // process makes the first try the likely one.
  static std::uint32_t serial = GetTickCount() * 2654435761u ^ GetCurrentProcessId();
  return ++serial;
}

}  // namespace

std::uint32_t createOwnFile(const std::wstring& folder,
                            const std::function<std::uint32_t(const std::wstring&)>& create,
                            std::wstring& path) {
  for (int i = 0; i < kTries; ++i) {
    const std::wstring candidate = folder + L"\\" + own_files::workName(nextSerial());
    if (candidate.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    const std::uint32_t error = create(candidate);
    if (error == ERROR_SUCCESS) {
      path = candidate;
      return ERROR_SUCCESS;
    }
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
  }
  return ERROR_FILE_EXISTS;
}

std::wstring folderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
  }
  return path.substr(0, separator);
}

}  // namespace qm
