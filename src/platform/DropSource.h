// What was dropped, as the save flow needs it: something that can put a copy of itself at a
// path. A file on disk is one; content that exists only in the dragging program is another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CopyOutcome.h"
#include "text/Encoding.h"

namespace qm {

class DropSource {
 public:
  virtual ~DropSource() = default;
  // With `failIfExists` an existing file at `target` is never replaced. The dropped original is
  // never changed.
  virtual CopyOutcome putAt(const std::string& target, TextEncoding encoding,
                            bool failIfExists) = 0;
  // At most `maxBytes` of the content from its start; empty when it cannot be read.
  virtual std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) = 0;
  // `written`, this content written anew (a picture in another format), put as this source puts
  // it: whatever a copy of this gets besides its bytes, a copy of `written` gets too.
  virtual std::unique_ptr<DropSource> alike(std::unique_ptr<DropSource> written) { return written; }
};

}  // namespace qm
