#include "platform/win32/Win32DragData.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/VirtualFileLength.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32SpooledFile.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WorkProgress.h"

namespace qm {
namespace {

// Each read of a stream from another process is a round trip through the system (under Wine a
// slow one), so the reads are as large as the memory they hold may be.
constexpr ULONG kChunkBytes = 1024 * 1024;

CLIPFORMAT descriptorFormat() {
  static const CLIPFORMAT format =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptorW"));
  return format;
}

CLIPFORMAT contentsFormat() {
  static const CLIPFORMAT format =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileContents"));
  return format;
}

CLIPFORMAT urlFormat() {
  static const CLIPFORMAT format =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW"));
  return format;
}

FORMATETC formatOf(CLIPFORMAT format, DWORD media, LONG item = -1) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, item, media};
}

FORMATETC filesFormat() {
  return formatOf(CF_HDROP, TYMED_HGLOBAL);
}
FORMATETC descriptor() {
  return formatOf(descriptorFormat(), TYMED_HGLOBAL);
}
FORMATETC firstContents(DWORD media = TYMED_HGLOBAL | TYMED_ISTREAM) {
  return formatOf(contentsFormat(), media, 0);
}

bool offers(IDataObject* data, FORMATETC format) {
  return data->QueryGetData(&format) == S_OK;
}

// Owns a medium that GetData filled. The data is asked for straight away rather than after
// QueryGetData: each question crosses to the dragging program and back, and a source without
// the data says so from GetData as well.
class Medium {
 public:
  Medium(IDataObject* data, FORMATETC format)
      : format_(format), result_(data->GetData(&format_, &medium_)) {}
  ~Medium() {
    if (ok()) ReleaseStgMedium(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  bool ok() const { return result_ == S_OK; }
  const STGMEDIUM& get() const { return medium_; }

  // The source has no such data, as opposed to having it and failing to hand it over. An
  // answer that says neither is settled by asking, as it was before GetData.
  bool absentFrom(IDataObject* data) const {
    if (ok()) return false;
    if (result_ == DV_E_FORMATETC || result_ == DV_E_TYMED || result_ == DV_E_CLIPFORMAT ||
        result_ == DV_E_LINDEX || result_ == DV_E_DVASPECT) {
      return true;
    }
    return !offers(data, format_);
  }

 private:
  FORMATETC format_;
  STGMEDIUM medium_{};
  HRESULT result_;
};

class GlobalLock {
 public:
  explicit GlobalLock(HGLOBAL memory)
      : memory_(memory), bytes_(::GlobalLock(memory)), size_(bytes_ ? GlobalSize(memory) : 0) {}
  ~GlobalLock() {
    if (bytes_) GlobalUnlock(memory_);
  }
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;
  const std::uint8_t* bytes() const { return static_cast<const std::uint8_t*>(bytes_); }
  SIZE_T size() const { return size_; }

 private:
  HGLOBAL memory_;
  void* bytes_;
  SIZE_T size_;
};

// The first file's path, or why there is none.
void takeFirstFile(const Medium& medium, TakenDrop& taken) {
  if (!medium.ok() || medium.get().tymed != TYMED_HGLOBAL) {
    taken.contentError = ERROR_INVALID_DATA;
    return;
  }
  wchar_t path[MAX_PATH] = {};
  SetLastError(ERROR_SUCCESS);
  if (DragQueryFileW(static_cast<HDROP>(medium.get().hGlobal), 0, path, MAX_PATH) == 0) {
    taken.contentError = lastFailure();
    return;
  }
  taken.filePath = heldText(path);
}

struct Descriptor {
  std::wstring name;
  std::optional<std::uint64_t> size;  // only when the source announces it
};

std::optional<Descriptor> firstDescriptorOf(const Medium& medium) {
  if (!medium.ok() || medium.get().tymed != TYMED_HGLOBAL) return std::nullopt;
  const GlobalLock lock(medium.get().hGlobal);
  // Never read past the memory the source handed over.
  if (!lock.bytes() || lock.size() < sizeof(UINT) + sizeof(FILEDESCRIPTORW)) return std::nullopt;
  const auto* group = reinterpret_cast<const FILEGROUPDESCRIPTORW*>(lock.bytes());
  if (group->cItems < 1) return std::nullopt;
  const FILEDESCRIPTORW& first = group->fgd[0];
  Descriptor found;
  const wchar_t* name = first.cFileName;
  found.name.assign(name, std::find(name, name + MAX_PATH, L'\0'));
  if (first.dwFlags & FD_FILESIZE) {
    found.size = (static_cast<std::uint64_t>(first.nFileSizeHigh) << 32) | first.nFileSizeLow;
  }
  return found;
}

// Copies the bytes into the spool file, as many as announced (all there are when nothing was).
std::uint32_t spoolGlobal(HGLOBAL memory, std::optional<std::uint64_t> announced,
                          std::uint64_t room, Win32SpooledFile& spool) {
  const GlobalLock lock(memory);
  if (!lock.bytes()) return lastFailure();
  // A block may be larger than its content, rounded up by the allocator.
  const std::uint64_t wanted = virtual_file::wantedNext(announced, 0, lock.size(), room);
  if (const std::uint32_t error = virtual_file::completeness(announced, wanted, room)) {
    return error;
  }
  if (const std::uint32_t error = spool.append(lock.bytes(), static_cast<std::size_t>(wanted))) {
    return error;
  }
  noteBytesDone(wanted);
  return 0;
}

std::uint32_t spoolStream(IStream* stream, std::optional<std::uint64_t> announced,
                          std::uint64_t room, Win32SpooledFile& spool) {
  // Some sources leave the stream where their last reader stopped.
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  std::vector<std::uint8_t> chunk(kChunkBytes);
  std::uint64_t total = 0;
  while (const std::uint64_t wanted =
             virtual_file::wantedNext(announced, total, kChunkBytes, room)) {
    ULONG read = 0;
    const HRESULT result = stream->Read(chunk.data(), static_cast<ULONG>(wanted), &read);
    if (FAILED(result)) return ERROR_READ_FAULT;
    if (read == 0) break;
    total += read;
    // Nothing of a file that will not fit is written.
    if (virtual_file::completeness(announced, total, room) == ERROR_DISK_FULL) break;
    if (const std::uint32_t error = spool.append(chunk.data(), read)) return error;
    noteBytesDone(read);
  }
  return virtual_file::completeness(announced, total, room);
}

void takeVirtualFile(IDataObject* data, const Medium& group, std::uint64_t room, TakenDrop& taken) {
  const std::optional<Descriptor> found = firstDescriptorOf(group);
  if (!found) {
    taken.contentError = ERROR_INVALID_DATA;
    return;
  }
  taken.virtualName = fromWide(found->name, TextEncoding::Utf8).value_or(std::string());
  noteBytesComing(found->size);
  auto spool = std::make_unique<Win32SpooledFile>();
  std::uint32_t error = spool->create();
  if (error == 0) {
    // A stream when the source has one: it crosses in large reads and never needs the whole
    // file in memory, where a block of memory holds the whole file in both programs at once.
    const Medium stream(data, firstContents(TYMED_ISTREAM));
    std::optional<Medium> block;
    if (!stream.ok()) block.emplace(data, firstContents());
    const Medium& medium = stream.ok() ? stream : *block;
    if (!medium.ok()) {
      error = ERROR_INVALID_DATA;
    } else if (medium.get().tymed == TYMED_HGLOBAL) {
      error = spoolGlobal(medium.get().hGlobal, found->size, room, *spool);
    } else if (medium.get().tymed == TYMED_ISTREAM) {
      error = spoolStream(medium.get().pstm, found->size, room, *spool);
    } else {
      error = ERROR_NOT_SUPPORTED;
    }
  }
  if (error == 0) error = spool->finish();
  if (error == 0) {
    taken.content = std::move(spool);
  } else {
    taken.contentError = error;
  }
}

// Where the dragged thing came from, for the mark a download gets; empty when the drag does not
// say. Read from within the block the source handed over, never past it.
std::string sourceUrlOf(IDataObject* data) {
  const Medium url(data, formatOf(urlFormat(), TYMED_HGLOBAL));
  if (!url.ok() || url.get().tymed != TYMED_HGLOBAL) return std::string();
  const GlobalLock lock(url.get().hGlobal);
  if (!lock.bytes()) return std::string();
  const auto* text = reinterpret_cast<const wchar_t*>(lock.bytes());
  const std::wstring wide(text, std::find(text, text + lock.size() / sizeof(wchar_t), L'\0'));
  return fromWide(wide, TextEncoding::Utf8).value_or(std::string());
}

}  // namespace

bool offersSomethingToSave(IDataObject* data) {
  if (!data) return false;
  return offers(data, filesFormat()) ||
         (offers(data, descriptor()) && offers(data, firstContents()));
}

TakenDrop takeDrop(IDataObject* data, std::uint64_t room) {
  TakenDrop taken;
  if (!data) return taken;
  {
    const Medium files(data, filesFormat());
    if (!files.absentFrom(data)) {
      takeFirstFile(files, taken);
      if (taken.isFile()) taken.sourceUrl = sourceUrlOf(data);
      return taken;
    }
  }
  const Medium group(data, descriptor());
  if (!group.absentFrom(data)) takeVirtualFile(data, group, room, taken);
  if (taken.content) taken.sourceUrl = sourceUrlOf(data);
  return taken;
}

}  // namespace qm
