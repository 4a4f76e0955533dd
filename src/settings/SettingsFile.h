// The byte layout of the settings file and the conversions between it and the settings.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "settings/Settings.h"

namespace qm::settings_file {

constexpr std::size_t kSaveModeOffset = 0;
constexpr std::size_t kDropWindowSizeOffset = 2;
constexpr std::size_t kSwitchFlagsOffset = 4;
constexpr std::size_t kLastListIndexOffset = 5;
// The first of what were ten reserved bytes: earlier versions ignore it on reading and write it
// as zero, which reads as "as it is", so a file stays the same for them.
constexpr std::size_t kSaveFormatOffset = 6;
constexpr std::size_t kReservedOffset = 7;
constexpr std::size_t kReservedSize = 9;
constexpr std::size_t kHeaderSize = 16;

constexpr std::size_t kNameSize = 32;
constexpr std::size_t kPathSize = 260;
constexpr std::size_t kSlotSize = kNameSize + kPathSize;
constexpr std::size_t kListSize = kSlotSize * kSlotsPerList;
constexpr std::size_t kListsOffset = kHeaderSize;
constexpr std::size_t kListsSize = kListSize * kFolderListCount;
constexpr std::size_t kSoundPathOffset = kListsOffset + kListsSize;
constexpr std::size_t kSoundPathSize = 260;
constexpr std::size_t kFileSize = kSoundPathOffset + kSoundPathSize;

static_assert(kSlotSize == 292);
static_assert(kListSize == 3504);
static_assert(kSoundPathOffset == 17536);
static_assert(kFileSize == 17796);
static_assert(FixedText<kNameSize>::kSize == kNameSize);

constexpr std::size_t listOffset(int list) {
  return kListsOffset + kListSize * static_cast<std::size_t>(list);
}

using Image = std::array<std::uint8_t, kFileSize>;

// Reads the header, the slots of `currentList` and the sound path from `file`. A field that the
// file ends inside is filled as far as the file goes; a field beyond its end keeps its value; bytes
// beyond kFileSize are ignored. A save mode or size outside 0..2 becomes its default (1, 0), a save
// format this version does not know becomes "as it is", a last folder-list index outside 0..4 is
// clamped into it, and so is `currentList`.
void readSettings(std::span<const std::uint8_t> file, int currentList, Settings& settings);

// Reads all five folder lists, as far as the file goes.
void readFolderLists(std::span<const std::uint8_t> file, ConfirmedFolderLists& lists);

// The whole file: header and save format from the settings, nine zero bytes, the confirmed lists,
// the sound path.
Image buildImage(const Settings& settings, const ConfirmedFolderLists& lists);

}  // namespace qm::settings_file
