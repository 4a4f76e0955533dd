// The names the settings file cannot hold. The settings file stays the fixed code page 932 image
// every version reads; a name or path that 932 cannot spell (a folder "사진", a sound under
// "C:\Users\René") is written there as 932 makes it ("??") and spelled out in a small UTF-8 file
// beside it, one line per slot that needs it:
//
//   Quillmarten names 1
//   <list 1-5>  <slot 1-12>  <name bytes, hex>  <path bytes, hex>  <name>  <path>
//   sound       (empty)      (empty)            <path bytes, hex>  (empty) <path>
//
// separated by tabs. The hex columns are the 932 bytes the settings file holds for the field;
// a spelling counts only while it still holds exactly the name and path bytes of its line, so an
// earlier version or another tool that changed the slot takes the spelling with it. An empty text
// column means the field's own bytes are all there is. In the texts "\" is written "\\", a tab
// "\t", a line break "\n" or "\r".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace qm::names_file {

inline constexpr const char* kFileName = "Quillmarten.names.txt";
// Twelve slots in five lists and the sound, each far below this.
inline constexpr std::size_t kMaxFileBytes = 256 * 1024;

// The spellings of one slot (or of the sound path, where `list` is kSoundList) as a line holds
// them: list and slot count from 0 here.
struct Entry {
  int list = 0;
  int slot = 0;
  std::string nameCp932;
  std::string pathCp932;
  std::string name;
  std::string path;
  friend bool operator==(const Entry&, const Entry&) = default;
};
inline constexpr int kSoundList = -1;

// The file for the spellings the lists and the sound path carry; empty when none carries one
// (then there is no file at all).
std::string format(const ConfirmedFolderLists& lists, const Settings& settings);

// The entries of a file; empty when it is not one of ours or any line is damaged.
std::optional<std::vector<Entry>> parse(std::string_view file);

// Gives each slot of `lists`, and the sound path of `settings` with the slots of `currentList`,
// the spellings whose bytes it still holds.
void apply(const std::vector<Entry>& entries, ConfirmedFolderLists& lists);
void apply(const std::vector<Entry>& entries, int currentList, Settings& settings);

}  // namespace qm::names_file
