#include "dropwindow/DropInFormat.h"

#include <optional>
#include <vector>

#include "imaging/FormatChoice.h"
#include "imaging/ImageFormat.h"

namespace qm {

DropInFormat inSaveFormat(std::string_view droppedName, TextEncoding encoding, DropSource& source,
                          SaveFormat setting, ImageConverter& converter) {
  DropInFormat asDropped{std::string(droppedName), &source, nullptr};
  if (setting == kSaveAsIs) return asDropped;
  const std::optional<std::vector<std::uint8_t>> head = source.read(kFormatSniffBytes);
  if (!head) return asDropped;
  const ImageFormat format = sniffImageFormat(*head);
  // Whether it moves matters only to a picture that would be decoded: one already in the chosen
  // format is kept whatever it holds, and needs no more reading.
  const FormatChoice still = chooseFormat(format, false, setting);
  if (!still.decode) return {nameInFormat(droppedName, still.savedAs, encoding), &source, nullptr};
  const std::optional<std::vector<std::uint8_t>> bytes = source.read(kMostConvertedBytes + 1);
  if (!bytes || bytes->size() > kMostConvertedBytes) return asDropped;
  if (!chooseFormat(format, isAnimated(format, *bytes), setting).decode) return asDropped;
  std::unique_ptr<DropSource> converted = converter.convert(*bytes, format, still.savedAs);
  if (!converted) return asDropped;
  converted = source.alike(std::move(converted));
  DropSource* put = converted.get();
  return {nameInFormat(droppedName, still.savedAs, encoding), put, std::move(converted)};
}

}  // namespace qm
