#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32AttachmentMark.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Leftovers.h"
#include "platform/win32/Win32OwnFile.h"
#include "platform/win32/Win32RecycleBin.h"
#include "platform/win32/Win32SpooledFile.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WholeCopy.h"

namespace qm {
namespace {

bool writeAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file);
}

// A path that does not convert (UTF-8 that is not valid) names no file at all.
bool named(const EncodedText& path, std::wstring& wide) {
  std::optional<std::wstring> converted = toWide(path.bytes, path.encoding);
  if (!converted || converted->empty()) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return false;
  }
  wide = std::move(*converted);
  return true;
}

}  // namespace

EncodedText Win32FileSystem::executablePath() {
  // Longer than MAX_PATH on purpose: the caller decides what to do with a path that long.
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return heldText(path);
}

std::optional<std::vector<std::uint8_t>> Win32FileSystem::readFile(const EncodedText& path,
                                                                   std::size_t maxBytes) {
  std::wstring wide;
  if (!named(path, wide)) return std::nullopt;
  Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  // The buffer grows with what is read: a generous limit costs nothing for a small file.
  constexpr std::size_t kMostPerRead = 1u << 20;
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < maxBytes) {
    const std::size_t filled = bytes.size();
    const DWORD part = static_cast<DWORD>(std::min(kMostPerRead, maxBytes - filled));
    bytes.resize(filled + part);
    DWORD read = 0;
    const bool ok = ReadFile(file.get(), bytes.data() + filled, part, &read, nullptr) != FALSE;
    bytes.resize(filled + read);
    if (!ok || read == 0) break;
  }
  return bytes;
}

bool Win32FileSystem::replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) {
  std::wstring target;
  if (!named(path, target)) return false;
  // A read-only file is the user's word that it must stay as it is. Windows refuses to move a
  // file over it anyway; saying no first keeps that true where the move would go through.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  // The twin is a file of the program's own, which the next start clears if this run dies here.
  std::wstring twin;
  bool written = false;
  const std::uint32_t created = createOwnFile(
      folderOf(target),
      [&](const std::wstring& candidate) {
        Handle file(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return lastFailure();
        written = writeAll(file.get(), bytes) && file.close();
        return std::uint32_t{ERROR_SUCCESS};
      },
      twin);
  if (created != ERROR_SUCCESS) return false;
  if (written && MoveFileExW(twin.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(twin.c_str());
  return false;
}

bool Win32FileSystem::removeFile(const EncodedText& path) {
  std::wstring wide;
  if (!named(path, wide)) return false;
  return DeleteFileW(wide.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

CopyOutcome Win32FileSystem::copyFile(const EncodedText& from, const EncodedText& to,
                                      bool failIfExists) {
  std::wstring wideFrom;
  std::wstring wideTo;
  if (!named(from, wideFrom) || !named(to, wideTo)) return copyFailed(GetLastError());
  return copyWhole(wideFrom, wideTo, failIfExists);
}

std::optional<FileStamp> Win32FileSystem::stamp(const std::string& path, TextEncoding encoding) {
  const std::optional<std::wstring> wide = toWide(path, encoding);
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime};
}

std::uint32_t Win32FileSystem::recycle(const std::string& path, TextEncoding encoding,
                                       BinTicket& ticket) {
  const std::optional<std::wstring> wide = toWide(path, encoding);
  if (!wide) return ERROR_NO_UNICODE_TRANSLATION;
  return Win32RecycleBin::shared().recycle(*wide, ticket);
}

std::uint32_t Win32FileSystem::restoreFromBin(BinTicket ticket) {
  return Win32RecycleBin::shared().restore(ticket);
}

void Win32FileSystem::sweepLeftovers(const std::vector<EncodedText>& folders) {
  for (const EncodedText& folder : folders) {
    std::wstring wide;
    if (named(folder, wide)) sweepLeftoversIn(wide);
  }
  sweepLeftoversIn(temporaryFolder());
}

std::optional<std::uint64_t> Win32FileSystem::freeSpace(const EncodedText& folder) {
  std::wstring wide;
  ULARGE_INTEGER available{};
  if (!named(folder, wide) || !GetDiskFreeSpaceExW(wide.c_str(), &available, nullptr, nullptr)) {
    return std::nullopt;
  }
  return available.QuadPart;
}

bool Win32FileSystem::exists(const EncodedText& path) {
  std::wstring wide;
  return named(path, wide) && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Win32FileSystem::markDownloaded(const EncodedText& path, const std::string& sourceUrl) {
  const std::optional<std::wstring> widePath = toWide(path.bytes, path.encoding);
  if (!widePath) return;
  markAsDownloaded(*widePath, toWide(sourceUrl, TextEncoding::Utf8).value_or(std::wstring()));
}

std::string Win32FileSystem::systemMessage(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string message = length > 0 && buffer ? narrow({buffer, length}) : std::string();
  if (buffer) LocalFree(buffer);
  return message;
}

std::optional<std::string> Win32FileSystem::cp932ToUtf8(const std::string& text) {
  const std::optional<std::wstring> wide = toWide(text, TextEncoding::Cp932);
  return wide ? fromWide(*wide, TextEncoding::Utf8) : std::nullopt;
}

std::optional<std::string> Win32FileSystem::utf8ToCp932(const std::string& text) {
  const std::optional<std::wstring> wide = toWide(text, TextEncoding::Utf8);
  return wide ? fromWide(*wide, TextEncoding::Cp932, true) : std::nullopt;
}

std::string Win32FileSystem::cp932Likeness(const std::string& utf8) {
  return narrow(toWide(utf8, TextEncoding::Utf8).value_or(std::wstring()));
}

}  // namespace qm
