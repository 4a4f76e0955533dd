#include "platform/win32/Win32ChunkedCopy.h"

#include <windows.h>

#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32WorkProgress.h"

namespace qm {
namespace {

// Large enough that the calls cost little beside the bytes, and no larger (docs/benchmarks.md
// has the measurements behind the size).
constexpr DWORD kChunkBytes = 128u << 10;

constexpr DWORD kReadShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
// The attributes CopyFile gives the copy; the rest (a folder, a compressed file) belong to the
// source's own file system.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                    FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

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
    if (!WriteFile(to, bytes, count, &written, nullptr)) return lastFailure();
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
    if (!ReadFile(from, buffer.bytes(), kChunkBytes, &read, nullptr)) return lastFailure();
    if (read == 0) return 0;
    if (const DWORD error = writeAll(to, buffer.bytes(), read)) return error;
    noteBytesDone(read);
  }
}

DWORD fillNewFile(HANDLE source, const BY_HANDLE_FILE_INFORMATION& info, Handle& target,
                  bool flush) {
  if (const DWORD error = copyBytes(source, target.get())) return error;
  if (!SetFileTime(target.get(), nullptr, nullptr, &info.ftLastWriteTime)) return lastFailure();
  if (flush && !FlushFileBuffers(target.get())) return lastFailure();
  // Closing is where a delayed write can still fail.
  return target.close() ? 0 : lastFailure();
}

}  // namespace

std::uint32_t copyToNewFile(const std::wstring& from, const std::wstring& to, bool flush,
                            std::uint32_t& keep) {
  Handle source(CreateFileW(from.c_str(), GENERIC_READ, kReadShare, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source.valid()) return lastFailure();
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(source.get(), &info)) return lastFailure();
  noteBytesComing((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
  const DWORD attributes = info.dwFileAttributes & kCopiedAttributes;
  keep = (attributes & FILE_ATTRIBUTE_READONLY) ? attributes : 0;
  // Made as new, never by emptying a file: an old file is never written over, and one made
  // meanwhile under the name is not ours.
  Handle target(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr));
  if (!target.valid()) return lastFailure();
  const DWORD error = fillNewFile(source.get(), info, target, flush);
  if (error != 0) {
    if (target.valid()) target.close();
    DeleteFileW(to.c_str());
  }
  return error;
}

}  // namespace qm
