// The file-name dialog's filter list, and which of its entries a proposed name starts on.
#pragma once

#include <string_view>

#include "text/Encoding.h"

namespace qm {

inline constexpr std::string_view kSaveDialogFilter =
    "ビットマップ(*.bmp)|*.bmp|JPEG(*.jpg;*.jpeg;*.jpe)|*.jpeg;*.jpg;*.jpe|GIF(*.gif)|*.gif|"
    "TIFF(*.tiff;*.tif)|*.tiff;*.tif|PNG(*.png)|*.png|すべてのファイル|*.*";

// The entry, counted from 1, for the text after the name's last "." compared exactly (case
// matters, as the table has always done); "すべてのファイル" for any other name.
int filterIndexFor(std::string_view fileName, TextEncoding encoding = TextEncoding::Cp932);

}  // namespace qm
