#include "settings/SettingsFile.h"

#include <algorithm>
#include <type_traits>

namespace qm::settings_file {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The header fields follow each other with the widths of their in-memory types.
static_assert(kDropWindowSizeOffset == kSaveModeOffset + sizeof(Settings::saveMode));
static_assert(kSwitchFlagsOffset == kDropWindowSizeOffset + sizeof(Settings::dropWindowSize));
static_assert(kLastListIndexOffset == kSwitchFlagsOffset + sizeof(Settings::switchFlags));
static_assert(kSaveFormatOffset == kLastListIndexOffset + sizeof(Settings::lastListIndex));
static_assert(kReservedOffset == kSaveFormatOffset + sizeof(Settings::saveFormat));
static_assert(kHeaderSize == kReservedOffset + kReservedSize);
static_assert(std::tuple_size_v<decltype(Settings::reserved)> == kReservedSize);
// The text fields have the widths of the file's fields, and the lists end where the sound begins.
static_assert(decltype(FolderSlot::name)::kSize == kNameSize);
static_assert(decltype(FolderSlot::path)::kSize == kPathSize);
static_assert(decltype(Settings::soundPath)::kSize == kSoundPathSize);
static_assert(listOffset(kFolderListCount) == kSoundPathOffset);

// Copies into `field` the part of [offset, offset + field.size()) that the file holds; the bytes
// of the field beyond the end of the file keep their values.
template <typename Byte, std::size_t N>
void readField(Bytes file, std::size_t offset, std::array<Byte, N>& field) {
  if (offset >= file.size()) return;
  const std::size_t count = std::min(N, file.size() - offset);
  for (std::size_t i = 0; i < count; ++i) field[i] = static_cast<Byte>(file[offset + i]);
}

// Writes exactly the field's N bytes; every offset passed here lies N or more bytes before the
// end of the image.
template <typename Byte, std::size_t N>
void writeField(Image& image, std::size_t offset, const std::array<Byte, N>& field) {
  const auto target = std::span(image).subspan(offset, N);
  for (std::size_t i = 0; i < N; ++i) target[i] = static_cast<std::uint8_t>(field[i]);
}

template <typename Int>
std::array<std::uint8_t, sizeof(Int)> toLittleEndian(Int value) {
  const auto bits = static_cast<std::make_unsigned_t<Int>>(value);
  std::array<std::uint8_t, sizeof(Int)> bytes{};
  for (std::size_t i = 0; i < sizeof(Int); ++i) {
    bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  return bytes;
}

// A number that the file ends inside keeps the bytes the file does not reach.
template <typename Int>
void readInt(Bytes file, std::size_t offset, Int& value) {
  auto bytes = toLittleEndian(value);
  readField(file, offset, bytes);
  std::make_unsigned_t<Int> bits = 0;
  for (std::size_t i = 0; i < sizeof(Int); ++i) {
    bits = static_cast<decltype(bits)>(bits | (bytes[i] << (8 * i)));
  }
  value = static_cast<Int>(bits);
}

template <typename Int>
void writeInt(Image& image, std::size_t offset, Int value) {
  const auto bytes = toLittleEndian(value);
  writeField(image, offset, bytes);
}

std::size_t slotOffset(int list, int slot) {
  return listOffset(list) + kSlotSize * static_cast<std::size_t>(slot);
}

void readList(Bytes file, int list, FolderList& slots) {
  for (int i = 0; i < kSlotsPerList; ++i) {
    const std::size_t offset = slotOffset(list, i);
    FolderSlot& slot = slots[static_cast<std::size_t>(i)];
    readField(file, offset, slot.name.bytes());
    readField(file, offset + kNameSize, slot.path.bytes());
    // What the file does not hold comes from the names file beside it, if at all.
    slot.nameSpelling = {};
    slot.pathSpelling = {};
  }
}

void writeList(Image& image, int list, const FolderList& slots) {
  for (int i = 0; i < kSlotsPerList; ++i) {
    const std::size_t offset = slotOffset(list, i);
    const FolderSlot& slot = slots[static_cast<std::size_t>(i)];
    writeField(image, offset, slot.name.bytes());
    writeField(image, offset + kNameSize, slot.path.bytes());
  }
}

// The drop window indexes its tables with these values, so a value out of its range is mended
// rather than passed on.
void mendHeader(Settings& settings) {
  if (settings.saveMode < kSaveOverwrite || settings.saveMode > kSaveAskName) {
    settings.saveMode = kSaveNumbered;
  }
  if (settings.dropWindowSize < kSizeSmall || settings.dropWindowSize > kSizeLarge) {
    settings.dropWindowSize = kSizeSmall;
  }
  settings.lastListIndex =
      static_cast<std::int8_t>(std::clamp<int>(settings.lastListIndex, 0, kFolderListCount - 1));
  settings.saveFormat = saveFormatFromByte(settings.saveFormat);
}

Bytes withinImage(Bytes file) {
  return file.first(std::min(file.size(), kFileSize));
}

}  // namespace

void readSettings(Bytes file, int currentList, Settings& settings) {
  file = withinImage(file);
  readInt(file, kSaveModeOffset, settings.saveMode);
  readInt(file, kDropWindowSizeOffset, settings.dropWindowSize);
  readInt(file, kSwitchFlagsOffset, settings.switchFlags);
  readInt(file, kLastListIndexOffset, settings.lastListIndex);
  readInt(file, kSaveFormatOffset, settings.saveFormat);
  readField(file, kReservedOffset, settings.reserved);
  mendHeader(settings);
  // A current folder list outside 0..4 is clamped into it, so the reader never leaves the lists.
  readList(file, std::clamp(currentList, 0, kFolderListCount - 1), settings.slots);
  readField(file, kSoundPathOffset, settings.soundPath.bytes());
  settings.soundSpelling = {};
}

void readFolderLists(Bytes file, ConfirmedFolderLists& lists) {
  file = withinImage(file);
  for (int list = 0; list < kFolderListCount; ++list) {
    readList(file, list, lists.lists[static_cast<std::size_t>(list)]);
  }
}

Image buildImage(const Settings& settings, const ConfirmedFolderLists& lists) {
  Image image{};  // the reserved bytes stay zero
  writeInt(image, kSaveModeOffset, settings.saveMode);
  writeInt(image, kDropWindowSizeOffset, settings.dropWindowSize);
  writeInt(image, kSwitchFlagsOffset, settings.switchFlags);
  writeInt(image, kLastListIndexOffset, settings.lastListIndex);
  writeInt(image, kSaveFormatOffset, settings.saveFormat);
  for (int list = 0; list < kFolderListCount; ++list) {
    writeList(image, list, lists.lists[static_cast<std::size_t>(list)]);
  }
  writeField(image, kSoundPathOffset, settings.soundPath.bytes());
  return image;
}

}  // namespace qm::settings_file
