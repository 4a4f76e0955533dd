// The settings as the program holds them in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/SaveFormat.h"
#include "settings/FixedText.h"
#include "text/Encoding.h"

namespace qm {

constexpr int kSlotsPerList = 12;
constexpr int kFolderListCount = 5;

enum SaveMode : std::int16_t {
  kSaveOverwrite = 0,
  kSaveNumbered = 1,
  kSaveAskName = 2,
};

enum DropWindowSize : std::int16_t {
  kSizeSmall = 0,
  kSizeNormal = 1,
  kSizeLarge = 2,
};

// One bit per appearance switch. The edge and key bits are set when the switch is off, the gesture
// bits when the gesture is on, so 0 means every edge and key on and both gestures off.
namespace switch_flags {
constexpr std::uint8_t kRightEdgeOff = 0x01;
constexpr std::uint8_t kLeftEdgeOff = 0x02;
constexpr std::uint8_t kBottomEdgeOff = 0x04;
constexpr std::uint8_t kTopEdgeOff = 0x08;
constexpr std::uint8_t kSquareGestureOn = 0x10;
constexpr std::uint8_t kLGestureOn = 0x20;
constexpr std::uint8_t kF12Off = 0x40;
constexpr std::uint8_t kCtrlOff = 0x80;
}  // namespace switch_flags

// The Unicode text of a name or path that code page 932 cannot spell, with the 932 bytes the
// settings file holds for it. Earlier versions, which know only the file, see those bytes.
struct Spelling {
  std::string cp932;
  std::string utf8;  // empty: the field's own bytes are all there is
  friend bool operator==(const Spelling&, const Spelling&) = default;
};

// What a field shows: its spelling while the field still holds the bytes it was made for (an
// earlier version or another tool may have changed them since), else the field's own text.
template <std::size_t N>
EncodedText spelled(const FixedText<N>& field, const Spelling& spelling) {
  std::string bytes = field.str();
  if (!spelling.utf8.empty() && spelling.cp932 == bytes) return {spelling.utf8, TextEncoding::Utf8};
  return {std::move(bytes)};
}

// Stores `text` in the field: code page 932 text as it is; UTF-8 text as `cp932` (what 932 makes
// of it) with its spelling beside.
template <std::size_t N>
void spell(FixedText<N>& field, Spelling& spelling, const EncodedText& text,
           std::string_view cp932) {
  if (text.encoding == TextEncoding::Cp932) {
    field.assign(text.bytes);
    spelling = {};
    return;
  }
  field.assign(cp932);
  spelling = {field.str(), text.bytes};
}

struct FolderSlot {
  FixedText<32> name;
  FixedText<260> path;
  Spelling nameSpelling;
  Spelling pathSpelling;
  friend bool operator==(const FolderSlot&, const FolderSlot&) = default;

  EncodedText shownName() const { return spelled(name, nameSpelling); }
  EncodedText shownPath() const { return spelled(path, pathSpelling); }
};

using FolderList = std::array<FolderSlot, kSlotsPerList>;

// Held by the drop window: the header, the slots of its current folder list and the sound.
struct Settings {
  std::int16_t saveMode = kSaveOverwrite;
  std::int16_t dropWindowSize = kSizeSmall;
  std::uint8_t switchFlags = 0;
  std::int8_t lastListIndex = 0;  // folder lists 1..(index + 1) exist
  std::uint8_t saveFormat = kSaveAsIs;
  std::array<std::uint8_t, 9> reserved{};
  // The slots' fields start empty by themselves. A brace initialiser here and on the lists
  // below would say so again, and makes clang 14 (the fuzz build's compiler) crash.
  FolderList slots;
  FixedText<260> soundPath;
  Spelling soundSpelling;

  EncodedText shownSoundPath() const { return spelled(soundPath, soundSpelling); }
};

// Held by the folder-list editor: every folder list, as last read or saved.
struct ConfirmedFolderLists {
  std::array<FolderList, kFolderListCount> lists;
  bool settingsFileMissing = false;
};

}  // namespace qm
