#include "settings/NamesFile.h"

#include <charconv>

namespace qm::names_file {
namespace {

constexpr std::string_view kHeader = "Quillmarten names 1";
constexpr std::string_view kSound = "sound";
constexpr std::size_t kColumns = 6;
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string hex(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
  }
  return out;
}

std::optional<std::string> unhex(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data() + i, digits.data() + i + 2, value, 16);
    if (error != std::errc() || end != digits.data() + i + 2) return std::nullopt;
    bytes += static_cast<char>(value);
  }
  return bytes;
}

std::string escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

// 1..count as written, 0..count-1 as returned.
std::optional<int> ordinal(std::string_view digits, int count) {
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value < 1 || value > count) {
    return std::nullopt;
  }
  return value - 1;
}

std::string spellingOf(const EncodedText& shown) {
  return shown.encoding == TextEncoding::Utf8 ? shown.bytes : std::string();
}

std::string line(std::string_view list, std::string_view slot, std::string_view nameCp932,
                 std::string_view pathCp932, std::string_view name, std::string_view path) {
  std::string out(list);
  out += '\t';
  out += slot;
  out += '\t' + hex(nameCp932) + '\t' + hex(pathCp932) + '\t' + escape(name) + '\t' + escape(path) +
         '\n';
  return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::optional<Entry> parseLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const std::vector<std::string_view> columns = split(text, '\t');
  if (columns.size() != kColumns) return std::nullopt;
  Entry entry;
  if (columns[0] == kSound) {
    if (!columns[1].empty() || !columns[2].empty() || !columns[4].empty()) return std::nullopt;
    entry.list = kSoundList;
  } else {
    const std::optional<int> list = ordinal(columns[0], kFolderListCount);
    const std::optional<int> slot = ordinal(columns[1], kSlotsPerList);
    if (!list || !slot) return std::nullopt;
    entry.list = *list;
    entry.slot = *slot;
  }
  std::optional<std::string> nameCp932 = unhex(columns[2]);
  std::optional<std::string> pathCp932 = unhex(columns[3]);
  std::optional<std::string> name = unescape(columns[4]);
  std::optional<std::string> path = unescape(columns[5]);
  if (!nameCp932 || !pathCp932 || !name || !path) return std::nullopt;
  entry.nameCp932 = std::move(*nameCp932);
  entry.pathCp932 = std::move(*pathCp932);
  entry.name = std::move(*name);
  entry.path = std::move(*path);
  return entry;
}

void applyToSlot(const Entry& entry, FolderSlot& slot) {
  if (slot.name.str() != entry.nameCp932 || slot.path.str() != entry.pathCp932) return;
  if (!entry.name.empty()) slot.nameSpelling = {entry.nameCp932, entry.name};
  if (!entry.path.empty()) slot.pathSpelling = {entry.pathCp932, entry.path};
}

}  // namespace

std::string format(const ConfirmedFolderLists& lists, const Settings& settings) {
  std::string lines;
  for (int l = 0; l < kFolderListCount; ++l) {
    for (int s = 0; s < kSlotsPerList; ++s) {
      const FolderSlot& slot =
          lists.lists[static_cast<std::size_t>(l)][static_cast<std::size_t>(s)];
      const std::string name = spellingOf(slot.shownName());
      const std::string path = spellingOf(slot.shownPath());
      if (name.empty() && path.empty()) continue;
      lines += line(std::to_string(l + 1), std::to_string(s + 1), slot.name.str(), slot.path.str(),
                    name, path);
    }
  }
  const std::string sound = spellingOf(settings.shownSoundPath());
  if (!sound.empty()) lines += line(kSound, "", "", settings.soundPath.str(), "", sound);
  if (lines.empty()) return {};
  return std::string(kHeader) + '\n' + lines;
}

std::optional<std::vector<Entry>> parse(std::string_view file) {
  std::vector<std::string_view> lines = split(file, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) return std::nullopt;
  std::string_view header = lines.front();
  if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
  if (header != kHeader) return std::nullopt;
  std::vector<Entry> entries;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::optional<Entry> entry = parseLine(lines[i]);
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  return entries;
}

void apply(const std::vector<Entry>& entries, ConfirmedFolderLists& lists) {
  for (const Entry& entry : entries) {
    if (entry.list == kSoundList) continue;
    applyToSlot(
        entry,
        lists.lists[static_cast<std::size_t>(entry.list)][static_cast<std::size_t>(entry.slot)]);
  }
}

void apply(const std::vector<Entry>& entries, int currentList, Settings& settings) {
  for (const Entry& entry : entries) {
    if (entry.list == kSoundList) {
      if (settings.soundPath.str() == entry.pathCp932 && !entry.path.empty()) {
        settings.soundSpelling = {entry.pathCp932, entry.path};
      }
    } else if (entry.list == currentList) {
      applyToSlot(entry, settings.slots[static_cast<std::size_t>(entry.slot)]);
    }
  }
}

}  // namespace qm::names_file
