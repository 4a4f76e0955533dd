// Any bytes as the settings file: the settings store loads them over the fake platform, the drop
// window lays itself out from them for every folder list, the store saves, and a fresh program
// loads and saves that file again. The saved image keeps every byte of the file except those the
// loader mends (a save mode or size outside 0..2, a last folder-list index outside 0..4, a save
// format outside 0..2), the nine reserved bytes (always written as zero) and the fields a short
// file does not reach; the second save writes the first one's image byte for byte.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzProgramFolder.h"
#include "dropwindow/DropWindowLook.h"
#include "dropwindow/Qmt.h"
#include "platform/Platform.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeImageConverter.h"
#include "platform/fake/FakeInput.h"
#include "platform/fake/FakeInteraction.h"
#include "platform/fake/FakeToolkit.h"
#include "platform/fake/FakeUserRegistry.h"
#include "platform/fake/FakeWorker.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"

namespace qm::fuzz {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_file;
using Bytes = std::vector<std::uint8_t>;

class NoMarks : public SettingsMarks {
 public:
  void markSaveMode(std::int16_t) override {}
  void markDropWindowSize(std::int16_t) override {}
};

void writeFile(const Bytes& bytes) {
  std::ofstream out(settingsFile(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// What the refresh must have made of the settings for the current folder list.
void checkLayout(TForm1& form) {
  const Settings& s = form.settings();
  QM_FUZZ_CHECK(s.saveMode >= 0 && s.saveMode <= 2);
  QM_FUZZ_CHECK(s.dropWindowSize >= 0 && s.dropWindowSize <= 2);
  QM_FUZZ_CHECK(s.lastListIndex >= 0 && s.lastListIndex <= 4);
  QM_FUZZ_CHECK(form.pendingListSelection() == TForm1::kNoPendingList);
  std::size_t offered = 0;
  while (offered < s.slots.size() && !s.slots[offered].path.empty()) ++offered;
  const int height = look::panelHeight(s.dropWindowSize);
  for (std::size_t i = 0; i < offered; ++i) {
    const Control& panel = form.folderPanels()[i];
    QM_FUZZ_CHECK(panel.visible());
    QM_FUZZ_CHECK(panel.caption() == s.slots[i].name.str());
    QM_FUZZ_CHECK(panel.bounds().top == static_cast<int>(i) * height);
    QM_FUZZ_CHECK(panel.bounds().height == height);
  }
  for (std::size_t i = offered; i < s.slots.size(); ++i) {
    QM_FUZZ_CHECK(!form.folderPanels()[i].visible());
  }
  const int strip = s.lastListIndex != 0 ? 21 : 0;
  QM_FUZZ_CHECK(form.window().bounds().height == static_cast<int>(offered) * height + 14 + strip);
  QM_FUZZ_CHECK(form.Label1().caption() == look::modeText(s.saveMode));
  for (std::size_t k = 0; k < form.tabs().size(); ++k) {
    QM_FUZZ_CHECK(form.tabs()[k].visible() ==
                  (s.lastListIndex >= 1 && static_cast<int>(k) <= s.lastListIndex));
  }
}

// Loads the file as a start of the program does, lays the window out for every folder list, and
// saves. Returns the file as the save left it.
Bytes loadLayOutAndSave() {
  FakeToolkit toolkit;
  FakeInput input;
  DiskFileSystem files((programFolder() / "Quillmarten.exe").string());
  FakeInteraction interaction;
  FakeUserRegistry registry;
  FakeImageConverter images(files, programFolder());
  FakeWorker worker;
  Platform platform{toolkit, input, files, interaction, registry, images, worker};
  SettingsStore store(files, interaction);
  NoMarks marks;
  TForm1 form(platform, store, marks);
  store.loadFolderLists();
  store.onSaved = [&form] { form.Refresh(); };
  checkLayout(form);
  for (std::int8_t list = 1; list < kFolderListCount; ++list) {
    form.SelectFolderList(list);
    QM_FUZZ_CHECK(form.currentFolderList() == list);
    checkLayout(form);
  }
  store.saveSettings();
  checkLayout(form);
  QM_FUZZ_CHECK(interaction.messageBoxes.empty());
  QM_FUZZ_CHECK(files.writes == 1);
  return readSettingsFile();
}

template <typename Int>
bool readsWhole(const Bytes& file, std::size_t offset) {
  return file.size() >= offset + sizeof(Int);
}

template <typename Int>
Int littleEndian(const Bytes& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < sizeof(Int); ++i) bits |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return static_cast<Int>(bits);
}

void checkHeader(const Bytes& file, const Bytes& saved) {
  // A number the file ends inside is read in part; only its range is certain then.
  if (readsWhole<std::int16_t>(file, sf::kSaveModeOffset)) {
    const auto mode = littleEndian<std::int16_t>(file, sf::kSaveModeOffset);
    const std::int16_t expected = mode >= 0 && mode <= 2 ? mode : 1;
    QM_FUZZ_CHECK(littleEndian<std::int16_t>(saved, sf::kSaveModeOffset) == expected);
  }
  if (readsWhole<std::int16_t>(file, sf::kDropWindowSizeOffset)) {
    const auto size = littleEndian<std::int16_t>(file, sf::kDropWindowSizeOffset);
    const std::int16_t expected = size >= 0 && size <= 2 ? size : 0;
    QM_FUZZ_CHECK(littleEndian<std::int16_t>(saved, sf::kDropWindowSizeOffset) == expected);
  }
  const std::uint8_t flags =
      file.size() > sf::kSwitchFlagsOffset ? file[sf::kSwitchFlagsOffset] : 0;
  QM_FUZZ_CHECK(saved[sf::kSwitchFlagsOffset] == flags);
  const auto last = static_cast<std::int8_t>(
      file.size() > sf::kLastListIndexOffset ? file[sf::kLastListIndexOffset] : 0);
  QM_FUZZ_CHECK(static_cast<std::int8_t>(saved[sf::kLastListIndexOffset]) ==
                std::clamp<std::int8_t>(last, 0, 4));
  const std::uint8_t format = file.size() > sf::kSaveFormatOffset ? file[sf::kSaveFormatOffset] : 0;
  QM_FUZZ_CHECK(saved[sf::kSaveFormatOffset] == (format <= 2 ? format : 0));
  for (std::size_t i = sf::kReservedOffset; i < sf::kHeaderSize; ++i) QM_FUZZ_CHECK(saved[i] == 0);
}

}  // namespace
}  // namespace qm::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::fuzz;
  namespace sf = qm::settings_file;
  const Bytes input(data, data + size);
  writeFile(input);
  const Bytes file(input.begin(), input.begin() + std::min(size, sf::kFileSize));

  const Bytes saved = loadLayOutAndSave();
  QM_FUZZ_CHECK(saved.size() == sf::kFileSize);
  checkHeader(file, saved);
  // Lists and sound path: every byte the file holds, texts and what lies after their zeros;
  // beyond a short file's end the store's empty fields.
  for (std::size_t i = sf::kListsOffset; i < sf::kFileSize; ++i) {
    QM_FUZZ_CHECK(saved[i] == (i < file.size() ? file[i] : 0));
  }

  const Bytes savedAgain = loadLayOutAndSave();
  QM_FUZZ_CHECK(savedAgain == saved);
  return 0;
}
