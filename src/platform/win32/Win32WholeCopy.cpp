#include "platform/win32/Win32WholeCopy.h"

#include <windows.h>

#include <optional>

#include "platform/FileReplacement.h"
#include "platform/win32/Win32ChunkedCopy.h"
#include "platform/win32/Win32DropMoments.h"
#include "platform/win32/Win32FileReplacement.h"
#include "platform/win32/Win32Text.h"
#include "text/Cp932.h"

namespace qm {
namespace {

constexpr char kTempPrefix[] = "qmc";
constexpr wchar_t kWideTempPrefix[] = L"qmc";

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct AnsiCalls {
  using String = std::string;
  // For the file's information only, whoever else has it open.
  static HANDLE openToLook(const String& path) {
    return CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  }
  static DWORD attributes(const String& path) { return GetFileAttributesA(path.c_str()); }
  static bool copy(const String& from, const String& to, bool failIfExists) {
    return copyFileInChunks(from, to, failIfExists);
  }
  static bool replace(const String& from, const String& to) {
    const std::optional<std::wstring> wideFrom = toWide(from, TextEncoding::Cp932);
    const std::optional<std::wstring> wideTo = toWide(to, TextEncoding::Cp932);
    if (!wideFrom || !wideTo) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return false;
    }
    return replaceFileKeepingOld(*wideFrom, *wideTo);
  }
  static void remove(const String& path) { DeleteFileA(path.c_str()); }
  // A free name of its own in the target's folder, or empty. The name is made ours by an empty
  // file, which goes again at once: the copy makes its file as new.
  static String tempBeside(const String& target) {
    const std::size_t separator = text::findLastCharOf(target, "\\/:");
    const String folder = separator == String::npos ? "." : target.substr(0, separator + 1);
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), kTempPrefix, 0, temp)) return String();
    DeleteFileA(temp);
    return String(temp);
  }
};

struct WideCalls {
  using String = std::wstring;
  static HANDLE openToLook(const String& path) {
    return CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  }
  static DWORD attributes(const String& path) { return GetFileAttributesW(path.c_str()); }
  static bool copy(const String& from, const String& to, bool failIfExists) {
    return copyFileInChunks(from, to, failIfExists);
  }
  static bool replace(const String& from, const String& to) {
    return replaceFileKeepingOld(from, to);
  }
  static void remove(const String& path) { DeleteFileW(path.c_str()); }
  static String tempBeside(const String& target) {
    const std::size_t separator = target.find_last_of(L"\\/:");
    const String folder = separator == String::npos ? L"." : target.substr(0, separator + 1);
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), kWideTempPrefix, 0, temp)) return String();
    DeleteFileW(temp);
    return String(temp);
  }
};

// Whether two paths name one file: the volume and the file's index agree.
template <typename Calls>
bool sameFile(const typename Calls::String& first, const typename Calls::String& second) {
  const HANDLE a = Calls::openToLook(first);
  const HANDLE b = Calls::openToLook(second);
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

template <typename Calls>
std::uint32_t copyWholeWith(const typename Calls::String& from, const typename Calls::String& to,
                            bool failIfExists) {
  const DWORD before = Calls::attributes(to);
  const bool existed = before != INVALID_FILE_ATTRIBUTES;
  if (existed && !failIfExists) {
    // The system's copy refuses a read-only, hidden or system file and a folder; the replacement
    // below would not everywhere.
    if (file_replacement::refuses(before)) return ERROR_ACCESS_DENIED;
    // A file dropped on its own folder: the copy would replace the very file it reads, which the
    // system's copy refuses as a file in use; the dropped file stays untouched either way.
    if (sameFile<Calls>(from, to)) return ERROR_SHARING_VIOLATION;
    // The old file goes only once the new one is complete beside it. A folder that has no room
    // for a temporary name (too long a path, no right to write) gets the copy's own answer.
    const typename Calls::String temp = Calls::tempBeside(to);
    if (!temp.empty()) {
      // The copy is made as a new file, never by emptying one, and never over a file that took
      // the free name meanwhile: that one is not ours to remove.
      const bool copied = Calls::copy(from, temp, true);
      if (copied && Calls::replace(temp, to)) return 0;
      const DWORD error = GetLastError();
      if (copied || error != ERROR_FILE_EXISTS) Calls::remove(temp);
      return error;
    }
  }
  if (Calls::copy(from, to, failIfExists)) return 0;
  const DWORD error = GetLastError();
  // The target was not there before: whatever is there now is the cut-off copy.
  if (!existed && error != ERROR_FILE_EXISTS) Calls::remove(to);
  return error;
}

}  // namespace

std::uint32_t copyWhole(const std::string& from, const std::string& to, bool failIfExists) {
  const TimedCopy timed;
  return copyWholeWith<AnsiCalls>(from, to, failIfExists);
}

std::uint32_t copyWhole(const std::wstring& from, const std::wstring& to, bool failIfExists) {
  const TimedCopy timed;
  return copyWholeWith<WideCalls>(from, to, failIfExists);
}

}  // namespace qm
