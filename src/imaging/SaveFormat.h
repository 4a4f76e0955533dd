// The format a dropped picture is saved in, as the user chose it in the properties dialog. The
// values are the settings file's byte for it.
#pragma once

#include <cstdint>

namespace qm {

enum SaveFormat : std::uint8_t {
  kSaveAsIs = 0,  // "そのまま": the dropped bytes, as they are
  kSavePng = 1,   // "PNG に変換"
  kSaveJpeg = 2,  // "JPEG に変換 (品質 90)"
};

// A value this version does not know (written by a later one, or damaged) saves as it is.
constexpr SaveFormat saveFormatFromByte(std::uint8_t value) {
  return value <= kSaveJpeg ? static_cast<SaveFormat>(value) : kSaveAsIs;
}

}  // namespace qm
