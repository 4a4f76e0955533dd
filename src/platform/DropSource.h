// What was dropped, as the save flow needs it: something that can put a copy of itself at a
// path. A file on disk is one; content that exists only in the dragging program is another.
#pragma once

#include <cstdint>
#include <string>

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
};

}  // namespace qm
