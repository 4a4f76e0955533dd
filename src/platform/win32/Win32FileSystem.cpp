#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WholeCopy.h"
#include "text/Cp932.h"

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

bool Win32FileSystem::replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  // A read-only file is the user's word that it must stay as it is. Windows refuses to move a
  // file over it anyway; saying no first keeps that true where the move would go through.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  const std::size_t separator = text::findLastCharOf(path, "\\/:");
  const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
  char temp[MAX_PATH] = {};
  if (GetTempFileNameA(folder.c_str(), "qmt", 0, temp) == 0) return false;
  Handle file(
      CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const bool written = file.valid() && writeAll(file.get(), bytes) && file.close();
  if (written &&
      MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (file.valid()) file.close();
  DeleteFileA(temp);
  return false;
}

std::uint32_t Win32FileSystem::copyFile(const std::string& from, const std::string& to,
                                        bool failIfExists) {
  return copyWhole(from, to, failIfExists);
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
