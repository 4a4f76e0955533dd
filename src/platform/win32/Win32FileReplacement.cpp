#include "platform/win32/Win32FileReplacement.h"

#include <windows.h>

#include "platform/FileReplacement.h"
#include "platform/win32/Win32Failure.h"

namespace qm {
namespace {

static_assert(file_replacement::kReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(file_replacement::kHidden == FILE_ATTRIBUTE_HIDDEN);
static_assert(file_replacement::kSystem == FILE_ATTRIBUTE_SYSTEM);
static_assert(file_replacement::kDirectory == FILE_ATTRIBUTE_DIRECTORY);

constexpr wchar_t kBackupPrefix[] = L"qmb";

class SystemCalls : public file_replacement::Calls {
 public:
  std::uint32_t freeNameBeside(const std::wstring& target, std::wstring& name) override {
    const std::size_t separator = target.find_last_of(L"\\/:");
    const std::wstring folder =
        separator == std::wstring::npos ? L"." : target.substr(0, separator + 1);
    wchar_t temp[MAX_PATH] = {};
    if (GetTempFileNameW(folder.c_str(), kBackupPrefix, 0, temp) == 0) return lastFailure();
    // The name was taken by an empty file to make it ours; the old file moves there, not over.
    DeleteFileW(temp);
    name = temp;
    return ERROR_SUCCESS;
  }
  std::uint32_t replace(const std::wstring& target, const std::wstring& replacement,
                        const std::wstring& backup) override {
    return ReplaceFileW(target.c_str(), replacement.c_str(), backup.c_str(), 0, nullptr, nullptr)
               ? ERROR_SUCCESS
               : lastFailure();
  }
  std::uint32_t move(const std::wstring& from, const std::wstring& to) override {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                         : lastFailure();
  }
  bool exists(const std::wstring& path) override {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

}  // namespace

bool replaceFileKeepingOld(const std::wstring& replacement, const std::wstring& target) {
  SystemCalls calls;
  const std::uint32_t error = file_replacement::replaceKeepingOld(calls, replacement, target);
  if (error == ERROR_SUCCESS) return true;
  SetLastError(error);
  return false;
}

}  // namespace qm
