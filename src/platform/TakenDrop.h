// What an OLE drag (a browser dragging an image) left with a window: a file on disk, or a
// virtual file whose bytes existed only in the dragging program and were taken at the drop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/DropSource.h"

namespace qm {

struct TakenDrop {
  // A file on disk: the first file's path, in UTF-8 when code page 932 cannot spell it.
  EncodedText filePath;
  // A virtual file: the first descriptor's name in UTF-8 and, unless they could not be read
  // (then `contentError` says why), its bytes.
  std::string virtualName;
  std::unique_ptr<DropSource> content;  // parked by the platform until it is put somewhere
  std::uint32_t contentError = 0;

  bool isFile() const { return !filePath.bytes.empty(); }
};

}  // namespace qm
