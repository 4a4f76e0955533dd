#include "platform/win32/Win32SpooledFile.h"

#include <algorithm>

#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32OwnFile.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WholeCopy.h"

namespace qm {
namespace {

// The most one call reads or writes.
constexpr DWORD kMostPerWrite = 1u << 30;

}  // namespace

Win32SpooledFile::~Win32SpooledFile() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

std::wstring temporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return std::wstring();
  std::wstring path(folder, length);
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

std::uint32_t Win32SpooledFile::create() {
  const std::wstring folder = temporaryFolder();
  if (folder.empty()) return lastFailure();
  return createOwnFile(
      folder,
      [this](const std::wstring& path) {
        file_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ == INVALID_HANDLE_VALUE ? lastFailure() : 0;
      },
      path_);
}

std::uint32_t Win32SpooledFile::append(const std::uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const DWORD part = static_cast<DWORD>(std::min<std::size_t>(count, kMostPerWrite));
    DWORD written = 0;
    if (!WriteFile(file_, bytes, part, &written, nullptr)) return lastFailure();
    if (written != part) return ERROR_DISK_FULL;
    bytes += written;
    count -= written;
  }
  return 0;
}

std::uint32_t Win32SpooledFile::finish() {
  const bool closed = CloseHandle(file_) != FALSE;
  file_ = INVALID_HANDLE_VALUE;
  return closed ? 0 : lastFailure();
}

CopyOutcome Win32SpooledFile::putAt(const std::string& target, TextEncoding encoding,
                                    bool failIfExists) {
  const std::optional<std::wstring> wide = toWide(target, encoding);
  if (!wide) return copyFailed(ERROR_NO_UNICODE_TRANSLATION);
  return copyWhole(path_, *wide, failIfExists);
}

std::optional<std::vector<std::uint8_t>> Win32SpooledFile::read(std::size_t maxBytes) {
  const Handle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(
      std::min<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart), maxBytes)));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    const DWORD part =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, kMostPerWrite));
    if (!ReadFile(file.get(), bytes.data() + filled, part, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace qm
