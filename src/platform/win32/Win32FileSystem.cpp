#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

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

}  // namespace

std::string Win32FileSystem::executablePath() {
  // Longer than MAX_PATH on purpose: the caller decides what to do with a path that long.
  std::vector<char> path(32768, '\0');
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return std::string(path.data(), length);
}

std::optional<std::vector<std::uint8_t>> Win32FileSystem::readFile(const std::string& path,
                                                                   std::size_t maxBytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  std::vector<std::uint8_t> bytes(maxBytes);
  std::size_t filled = 0;
  while (filled < maxBytes) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(maxBytes - filled), &read,
                  nullptr) ||
        read == 0) {
      break;
    }
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

bool Win32FileSystem::replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::optional<std::wstring> target = toWide(path, TextEncoding::Cp932);
  if (!target) return false;
  // A read-only file is the user's word that it must stay as it is. Windows refuses to move a
  // file over it anyway; saying no first keeps that true where the move would go through.
  const DWORD attributes = GetFileAttributesW(target->c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  // The twin is a file of the program's own, which the next start clears if this run dies here.
  std::wstring twin;
  bool written = false;
  const std::uint32_t created = createOwnFile(
      folderOf(*target),
      [&](const std::wstring& candidate) {
        Handle file(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return lastFailure();
        written = writeAll(file.get(), bytes) && file.close();
        return std::uint32_t{ERROR_SUCCESS};
      },
      twin);
  if (created != ERROR_SUCCESS) return false;
  if (written && MoveFileExW(twin.c_str(), target->c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(twin.c_str());
  return false;
}

CopyOutcome Win32FileSystem::copyFile(const std::string& from, const std::string& to,
                                      bool failIfExists) {
  const std::optional<std::wstring> wideFrom = toWide(from, TextEncoding::Cp932);
  const std::optional<std::wstring> wideTo = toWide(to, TextEncoding::Cp932);
  if (!wideFrom || !wideTo) return copyFailed(ERROR_NO_UNICODE_TRANSLATION);
  return copyWhole(*wideFrom, *wideTo, failIfExists);
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

void Win32FileSystem::sweepLeftovers(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (const std::optional<std::wstring> wide = toWide(folder, TextEncoding::Cp932)) {
      sweepLeftoversIn(*wide);
    }
  }
  sweepLeftoversIn(temporaryFolder());
}

bool Win32FileSystem::exists(const std::string& path, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp932) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  const std::optional<std::wstring> wide = toWide(path, encoding);
  return wide && GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32FileSystem::systemMessage(std::uint32_t code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string message = length > 0 && buffer ? std::string(buffer, length) : std::string();
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

}  // namespace qm
