#include "platform/fake/DiskFileSystem.h"

#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/FileReplacement.h"
#include "platform/Leftovers.h"
#include "platform/OwnFiles.h"
#include "platform/Win32Codes.h"
#include "text/Cp932.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

fs::path hostPath(const EncodedText& path) {
  if (path.encoding == TextEncoding::Cp932)
    return fs::path(text::replaceChar(path.bytes, '\\', '/'));
  std::string host = path.bytes;
  std::replace(host.begin(), host.end(), '\\', '/');
  return fs::path(host);
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

std::string DiskFileSystem::cp932Likeness(const std::string& utf8) {
  return convert(utf8, "UTF-8", "CP932//TRANSLIT").value_or(std::string());
}

std::optional<std::vector<std::uint8_t>> DiskFileSystem::readFile(const EncodedText& path,
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

bool DiskFileSystem::replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) {
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

bool DiskFileSystem::removeFile(const EncodedText& path) {
  std::error_code error;
  fs::remove(hostPath(path), error);
  return !error;
}

CopyOutcome DiskFileSystem::copyFile(const EncodedText& fromPath, const EncodedText& toPath,
                                     bool failIfExists) {
  ++copies;
  if (!copyFailures.empty()) {
    const CopyOutcome scripted = copyFailures.front();
    copyFailures.pop_front();
    return scripted;
  }
  if (!copyErrors.empty()) {
    const std::uint32_t scripted = copyErrors.front();
    copyErrors.pop_front();
    return copyFailed(scripted);
  }
  CopyOutcome outcome = copyFailed(copyBytesTo(fromPath, toPath, failIfExists));
  outcome.replaced = outcome.error == kErrorSuccess && oldBytes_.has_value();
  if (outcome.replaced && hasRecycleBin) {
    // Where the program's copy sends the file it replaces.
    bin.push_back({hostPath(toPath).string(), *oldBytes_, false});
    outcome.oldInBin = true;
    outcome.oldTicket = bin.size();
  }
  oldBytes_.reset();
  return outcome;
}

std::uint32_t DiskFileSystem::copyBytesTo(const EncodedText& fromPath, const EncodedText& toPath,
                                          bool failIfExists) {
  oldBytes_.reset();
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
    std::ifstream old(to, std::ios::binary);
    oldBytes_ = std::string(std::istreambuf_iterator<char>(old), {});
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

std::optional<FileStamp> DiskFileSystem::stamp(const std::string& path, TextEncoding) {
  std::error_code error;
  const fs::path file = hostPath(path);
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) return std::nullopt;
  const auto written = fs::last_write_time(file, error);
  if (error) return std::nullopt;
  return FileStamp{size, static_cast<std::uint64_t>(written.time_since_epoch().count())};
}

std::uint32_t DiskFileSystem::recycle(const std::string& path, TextEncoding, BinTicket& ticket) {
  const fs::path file = hostPath(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return kErrorFileNotFound;
  std::ifstream in(file, std::ios::binary);
  bin.push_back({file.string(), std::string(std::istreambuf_iterator<char>(in), {}), false});
  in.close();
  fs::remove(file, error);
  ticket = bin.size();
  return kErrorSuccess;
}

std::uint32_t DiskFileSystem::restoreFromBin(BinTicket ticket) {
  if (!restoreErrors.empty()) {
    const std::uint32_t scripted = restoreErrors.front();
    restoreErrors.pop_front();
    return scripted;
  }
  if (ticket == 0 || ticket > bin.size() || bin[ticket - 1].restored) return kErrorFileNotFound;
  BinItem& item = bin[ticket - 1];
  std::error_code error;
  if (fs::exists(item.from, error)) return kErrorFileExists;
  std::ofstream(item.from, std::ios::binary) << item.bytes;
  item.restored = true;
  return kErrorSuccess;
}

namespace {

// The host's names, a byte to a character, as the program's wide names.
std::wstring widened(const std::string& text) {
  std::wstring wide;
  for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

std::string narrowed(const std::wstring& text) {
  std::string bytes;
  for (const wchar_t c : text) bytes += static_cast<char>(c);
  return bytes;
}

class HostFolders : public leftovers::Calls {
 public:
  explicit HostFolders(DiskFileSystem& files) : files_(files) {}
  std::vector<std::wstring> ownNames(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(hostPath(narrowed(folder)), error)) {
      const std::wstring name = widened(entry.path().filename().string());
      if (own_files::isOwn(name)) names.push_back(name);
    }
    return names;
  }
  bool exists(const std::wstring& path) override {
    std::error_code error;
    return fs::exists(hostPath(narrowed(path)), error);
  }
  bool place(const std::wstring& from, const std::wstring& to) override {
    std::error_code error;
    if (exists(to)) return false;
    fs::rename(hostPath(narrowed(from)), hostPath(narrowed(to)), error);
    return !error;
  }
  void recycle(const std::wstring& path) override {
    BinTicket ignored = 0;
    files_.recycle(narrowed(path), TextEncoding::Cp932, ignored);
  }
  void remove(const std::wstring& path) override {
    std::error_code error;
    fs::remove(hostPath(narrowed(path)), error);
  }

 private:
  DiskFileSystem& files_;
};

}  // namespace

void DiskFileSystem::sweepLeftovers(const std::vector<EncodedText>& folders) {
  HostFolders calls(*this);
  std::vector<std::string> all;
  for (const EncodedText& folder : folders) all.push_back(folder.bytes);
  if (!temporaryFolder.empty()) all.push_back(temporaryFolder);
  for (const std::string& folder : all) {
    swept.push_back(hostPath(folder).string());
    leftovers::sweep(calls, widened(text::replaceChar(folder, '\\', '/')));
  }
}

bool DiskFileSystem::exists(const EncodedText& path) {
  std::error_code error;
  return fs::exists(hostPath(path), error);
}

std::string DiskFileSystem::systemMessage(std::uint32_t code) {
  return "system message " + std::to_string(code) + ".\r\n";
}

}  // namespace qm
