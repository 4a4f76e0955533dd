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
  // The page the drag came from, in UTF-8, when the drag names one.
  std::string sourceUrl;
  // The dragging program's data, held until the save is done: a program may delete a file it
  // offered as soon as it is let go.
  std::shared_ptr<void> dragData;

  bool isFile() const { return !filePath.bytes.empty(); }
};

}  // namespace qm
