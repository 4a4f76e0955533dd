#include "platform/win32/Win32ChunkedCopy.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/Win32Handle.h"

namespace qm {
namespace {

// Large enough that the calls cost little beside the bytes, and no larger: Linux caches a larger
// write in a larger block of memory, which on a virtual machine often comes cold from the host.
// Writes of 256 KiB to 4 MiB made a large copy several times slower about one time in three
// there; 64 and 128 KiB never did.
constexpr DWORD kChunkBytes = 128u << 10;

constexpr DWORD kReadShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
// The attributes CopyFile gives the copy; the rest (a folder, a compressed file) belong to the
// source's own file system.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                    FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE openToRead(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, kReadShare, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}
HANDLE openToRead(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, kReadShare, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE createFile(const std::string& path, DWORD attributes, DWORD creation) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, creation,
                     attributes | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}
HANDLE createFile(const std::wstring& path, DWORD attributes, DWORD creation) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, creation,
                     attributes | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// A new file is made as new, and only a file already there is opened to be overwritten: Wine
// empties every file opened to be overwritten, a new one too, and ext4 sends the whole of a file
// that was emptied to the disk at its close (so that a rewrite survives a crash), which holds up
// the close of a large copy. Whatever stops the new file, the answer is the overwrite's.
template <typename String>
HANDLE createToWrite(const String& path, DWORD attributes, bool failIfExists) {
  const HANDLE created = createFile(path, attributes, CREATE_NEW);
  if (created != INVALID_HANDLE_VALUE || failIfExists) return created;
  return createFile(path, attributes, CREATE_ALWAYS);
}

class Buffer {
 public:
  Buffer()
      : bytes_(static_cast<std::uint8_t*>(
            VirtualAlloc(nullptr, kChunkBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
  ~Buffer() {
    if (bytes_) VirtualFree(bytes_, 0, MEM_RELEASE);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  std::uint8_t* bytes() const { return bytes_; }

 private:
  std::uint8_t* bytes_;
};

DWORD writeAll(HANDLE to, const std::uint8_t* bytes, DWORD count) {
  while (count > 0) {
    DWORD written = 0;
    if (!WriteFile(to, bytes, count, &written, nullptr)) return GetLastError();
    // A short write is the disk running out; the next one says so in the system's words.
    if (written == 0) return ERROR_DISK_FULL;
    bytes += written;
    count -= written;
  }
  return 0;
}

// The copy loop itself: reads until the source ends, writing each chunk as it comes.
DWORD copyBytes(HANDLE from, HANDLE to) {
  const Buffer buffer;
  if (!buffer.bytes()) return ERROR_NOT_ENOUGH_MEMORY;
  while (true) {
    DWORD read = 0;
    if (!ReadFile(from, buffer.bytes(), kChunkBytes, &read, nullptr)) return GetLastError();
    if (read == 0) return 0;
    if (const DWORD error = writeAll(to, buffer.bytes(), read)) return error;
  }
}

template <typename String>
DWORD copyFileWith(const String& from, const String& to, bool failIfExists) {
  Handle source(openToRead(from));
  if (!source.valid()) return GetLastError();
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(source.get(), &info)) return GetLastError();
  Handle target(createToWrite(to, info.dwFileAttributes & kCopiedAttributes, failIfExists));
  if (!target.valid()) return GetLastError();
  if (const DWORD error = copyBytes(source.get(), target.get())) return error;
  if (!SetFileTime(target.get(), nullptr, nullptr, &info.ftLastWriteTime)) return GetLastError();
  // Closing is where a delayed write can still fail.
  return target.close() ? 0 : GetLastError();
}

template <typename String>
bool answerAsCopyFile(const String& from, const String& to, bool failIfExists) {
  const DWORD error = copyFileWith(from, to, failIfExists);
  SetLastError(error);
  return error == 0;
}

}  // namespace

bool copyFileInChunks(const std::string& from, const std::string& to, bool failIfExists) {
  return answerAsCopyFile(from, to, failIfExists);
}

bool copyFileInChunks(const std::wstring& from, const std::wstring& to, bool failIfExists) {
  return answerAsCopyFile(from, to, failIfExists);
}

}  // namespace qm
