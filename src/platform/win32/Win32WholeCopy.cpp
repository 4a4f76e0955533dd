#include "platform/win32/Win32WholeCopy.h"

#include <windows.h>

#include "platform/OwnFiles.h"
#include "platform/WholeCopyRoad.h"
#include "platform/win32/Win32ChunkedCopy.h"
#include "platform/win32/Win32DropMoments.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32OwnFile.h"
#include "platform/win32/Win32RecycleBin.h"
#include "platform/win32/Win32Text.h"

namespace qm {
namespace {

static_assert(file_replacement::kReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(file_replacement::kHidden == FILE_ATTRIBUTE_HIDDEN);
static_assert(file_replacement::kSystem == FILE_ATTRIBUTE_SYSTEM);
static_assert(file_replacement::kDirectory == FILE_ATTRIBUTE_DIRECTORY);

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::uint32_t answer(BOOL done) {
  return done ? ERROR_SUCCESS : lastFailure();
}

// For the file's information only, whoever else has it open.
HANDLE openToLook(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

class SystemCalls : public whole_copy::Calls {
 public:
  std::optional<std::uint32_t> attributes(const std::wstring& path) override {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
  }
  // The volume and the file's index agree.
  bool sameFile(const std::wstring& first, const std::wstring& second) override {
    const HANDLE a = openToLook(first);
    const HANDLE b = openToLook(second);
    BY_HANDLE_FILE_INFORMATION aInfo = {};
    BY_HANDLE_FILE_INFORMATION bInfo = {};
    const bool same =
        a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE &&
        GetFileInformationByHandle(a, &aInfo) && GetFileInformationByHandle(b, &bInfo) &&
        aInfo.dwVolumeSerialNumber == bInfo.dwVolumeSerialNumber &&
        aInfo.nFileIndexHigh == bInfo.nFileIndexHigh && aInfo.nFileIndexLow == bInfo.nFileIndexLow;
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
    return same;
  }
  std::uint32_t copyBeside(const std::wstring& from, const std::wstring& target, bool flush,
                           std::wstring& made, std::uint32_t& keep) override {
    return createOwnFile(
        folderOf(target),
        [&](const std::wstring& path) { return copyToNewFile(from, path, flush, keep); }, made);
  }
  bool hasRecycleBin(const std::wstring& path) override { return Win32RecycleBin::has(path); }
  std::uint32_t recycle(const std::wstring& path, BinTicket& ticket) override {
    return Win32RecycleBin::shared().recycle(path, ticket);
  }
  std::uint32_t place(const std::wstring& from, const std::wstring& to) override {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return ERROR_SUCCESS;
    const std::uint32_t error = lastFailure();
    return error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error;
  }
  void setAttributes(const std::wstring& path, std::uint32_t attributes) override {
    SetFileAttributesW(path.c_str(), attributes);
  }
  std::uint32_t freeNameBeside(const std::wstring& target, std::wstring& name) override {
    const std::size_t separator = target.find_last_of(L"\\/");
    const std::wstring parked =
        folderOf(target) + L"\\" + own_files::parkedName(target.substr(separator + 1));
    if (parked.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    if (GetFileAttributesW(parked.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_FILE_EXISTS;
    name = parked;
    return ERROR_SUCCESS;
  }
  // The new file takes the old one's place and keeps what made it the user's (attributes,
  // security, the folder's view of it).
  std::uint32_t replace(const std::wstring& target, const std::wstring& replacement,
                        const std::wstring& backup) override {
    return answer(
        ReplaceFileW(target.c_str(), replacement.c_str(), backup.c_str(), 0, nullptr, nullptr));
  }
  std::uint32_t move(const std::wstring& from, const std::wstring& to) override {
    return answer(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
  }
  bool exists(const std::wstring& path) override {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

}  // namespace

CopyOutcome copyWhole(const std::wstring& from, const std::wstring& to, bool failIfExists) {
  const TimedCopy timed;
  SystemCalls calls;
  const whole_copy::Outcome road = whole_copy::copyWhole(calls, from, to, failIfExists);
  CopyOutcome outcome = copyFailed(road.error);
  outcome.oldAt = road.oldAt;
  // The box shows the name as well as code page 932 can.
  outcome.oldPath = fromWide(road.oldPath, TextEncoding::Cp932).value_or(std::string());
  outcome.replaced = road.replaced;
  outcome.oldInBin = road.oldInBin;
  outcome.oldTicket = road.oldTicket;
  return outcome;
}

}  // namespace qm
