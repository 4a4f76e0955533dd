// A drop as it is saved under the save format the user chose: the name it goes by and the content
// put at the target, either the dropped bytes or the picture decoded and written anew. Everything
// that cannot or must not be converted is kept as dropped, without a word.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "imaging/SaveFormat.h"
#include "platform/DropSource.h"
#include "platform/ImageConverter.h"
#include "text/Encoding.h"

namespace qm {

struct DropInFormat {
  std::string name;
  DropSource* source = nullptr;
  std::unique_ptr<DropSource> converted;  // what `source` points at when the picture was converted
};

// A larger file is kept as it is: its picture would not fit in memory to be decoded.
inline constexpr std::size_t kMostConvertedBytes = 256u << 20;

DropInFormat inSaveFormat(std::string_view droppedName, TextEncoding encoding, DropSource& source,
                          SaveFormat setting, ImageConverter& converter);

}  // namespace qm
