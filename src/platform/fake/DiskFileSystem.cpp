#include "platform/fake/DiskFileSystem.h"

#include <filesystem>
#include <fstream>

#include "platform/Win32Codes.h"

namespace qm {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> DiskFileSystem::readFile(const std::string& path,
                                                                  std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path)) return std::nullopt;
  ++reads;
  std::vector<std::uint8_t> bytes(maxBytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool DiskFileSystem::replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  ++writes;
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::size_t written =
        diskFullAfter ? std::min(*diskFullAfter, bytes.size()) : bytes.size();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(written));
    if (!out || written < bytes.size()) return false;
  }
  std::error_code error;
  fs::rename(temp, path, error);
  return !error;
}

std::uint32_t DiskFileSystem::copyFile(const std::string& from, const std::string& to,
                                       bool failIfExists) {
  std::error_code error;
  if (!fs::is_regular_file(from, error)) {
    return fs::exists(from, error) ? kErrorAccessDenied : kErrorFileNotFound;
  }
  if (!fs::is_directory(fs::path(to).parent_path(), error)) return kErrorPathNotFound;
  if (fs::exists(to, error)) {
    if (failIfExists) return kErrorFileExists;
    if (fs::is_directory(to, error)) return kErrorAccessDenied;
  }
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
  return error ? kErrorAccessDenied : kErrorSuccess;
}

std::string DiskFileSystem::systemMessage(std::uint32_t code) {
  return "system message " + std::to_string(code) + ".\r\n";
}

}  // namespace qm
