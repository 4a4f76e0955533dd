#include "platform/fake/DiskFileSystem.h"

#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/FileReplacement.h"
#include "platform/Win32Codes.h"
#include "text/Cp932.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

fs::path hostPath(const std::string& path) {
  return fs::path(text::replaceChar(path, '\\', '/'));
}

bool writable(const fs::path& path) {
  std::error_code error;
  return (fs::status(path, error).permissions() & fs::perms::owner_write) != fs::perms::none;
}

// Copies at most `limit` bytes; false when the source had more.
bool copyBytes(const fs::path& from, const fs::path& to, std::size_t limit) {
  std::ifstream in(from, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  const std::size_t written = std::min(limit, bytes.size());
  out.write(bytes.data(), static_cast<std::streamsize>(written));
  return out && written == bytes.size();
}

// The C library's converter stands in for the system's; both refuse what has no form in the
// other encoding.
std::optional<std::string> convert(const std::string& text, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text;
  std::string out(text.size() * 4 + 4, '\0');
  char* inBytes = in.data();
  std::size_t inLeft = in.size();
  char* outBytes = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(converter, &inBytes, &inLeft, &outBytes, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::optional<std::string> DiskFileSystem::cp932ToUtf8(const std::string& text) {
  return convert(text, "CP932", "UTF-8");
}

std::optional<std::string> DiskFileSystem::utf8ToCp932(const std::string& text) {
  return convert(text, "UTF-8", "CP932");
}

std::optional<std::vector<std::uint8_t>> DiskFileSystem::readFile(const std::string& path,
                                                                  std::size_t maxBytes) {
  std::ifstream in(hostPath(path), std::ios::binary);
  if (!in || fs::is_directory(hostPath(path))) return std::nullopt;
  ++reads;
  std::error_code error;
  const std::uintmax_t size = fs::file_size(hostPath(path), error);
  std::vector<std::uint8_t> bytes(error ? 0 : std::min<std::uintmax_t>(size, maxBytes));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool DiskFileSystem::replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  ++writes;
  const fs::path target = hostPath(path);
  const fs::path temp = target.string() + ".tmp";
  if (replaceFault == ReplaceFault::CannotCreate) return false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::size_t written = diskFullAfter ? std::min(*diskFullAfter, bytes.size()) : bytes.size();
    if (replaceFault == ReplaceFault::ShortWrite) written = bytes.size() / 2;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(written));
    if (!out || written < bytes.size()) return false;
  }
  if (replaceFault == ReplaceFault::MoveFails) return false;
  std::error_code error;
  fs::rename(temp, target, error);
  return !error;
}

std::uint32_t DiskFileSystem::copyFile(const std::string& fromPath, const std::string& toPath,
                                       bool failIfExists) {
  ++copies;
  if (!copyErrors.empty()) {
    const std::uint32_t scripted = copyErrors.front();
    copyErrors.pop_front();
    return scripted;
  }
  const fs::path from = hostPath(fromPath);
  const fs::path to = hostPath(toPath);
  std::error_code error;
  if (!fs::is_regular_file(from, error)) {
    return fs::exists(from, error) ? kErrorAccessDenied : kErrorFileNotFound;
  }
  if (!fs::is_directory(to.parent_path(), error)) return kErrorPathNotFound;
  const bool existed = fs::exists(to, error);
  if (existed) {
    if (failIfExists) return kErrorFileExists;
    const auto marked = markedAttributes.find(to.string());
    const std::uint32_t attributes =
        (writable(to) ? 0 : file_replacement::kReadOnly) |
        (fs::is_directory(to, error) ? file_replacement::kDirectory : 0) |
        (marked == markedAttributes.end() ? 0 : marked->second);
    if (file_replacement::refuses(attributes)) return kErrorAccessDenied;
  } else if (!writable(to.parent_path())) {
    return kErrorAccessDenied;
  }
  if (diskFullAfter) {
    // As the program's copy does: the new bytes go beside an old file, which goes only once
    // they are complete, and a copy cut short leaves nothing.
    const fs::path written = existed ? fs::path(to.string() + ".part") : to;
    if (copyBytes(from, written, *diskFullAfter)) {
      if (existed) fs::rename(written, to, error);
      return error ? kErrorAccessDenied : kErrorSuccess;
    }
    fs::remove(written, error);
    return kErrorDiskFull;
  }
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
  return error ? kErrorAccessDenied : kErrorSuccess;
}

// The host takes the bytes of either encoding as they are.
bool DiskFileSystem::exists(const std::string& path, TextEncoding) {
  std::error_code error;
  return fs::exists(hostPath(path), error);
}

std::string DiskFileSystem::systemMessage(std::uint32_t code) {
  return "system message " + std::to_string(code) + ".\r\n";
}

}  // namespace qm
