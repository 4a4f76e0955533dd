// The folder-list editor's Confirm and Delete list on any settings file: the first input byte
// picks the list tab, the command and the user's answer, the rest is the file. Confirm stores
// the shown list packed from its first slot and leaves the other lists byte for byte; Delete
// list moves the later lists down, empties the last and lowers the last folder-list index, or
// refuses with the only list left; a No writes nothing.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzProgramFolder.h"
#include "platform/Win32Codes.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeImageConverter.h"
#include "platform/fake/FakeInput.h"
#include "platform/fake/FakeInteraction.h"
#include "platform/fake/FakeToolkit.h"
#include "platform/fake/FakeUserRegistry.h"
#include "platform/fake/FakeWorker.h"
#include "settings/SettingsFile.h"
#include "shell/Application.h"

namespace qm::fuzz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

ConfirmedFolderLists listsOf(const Bytes& file) {
  ConfirmedFolderLists lists;
  settings_file::readFolderLists(file, lists);
  return lists;
}

}  // namespace
}  // namespace qm::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm;
  using namespace qm::fuzz;
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  {
    std::ofstream out(settingsFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  const int tab = (choice >> 1) % kFolderListCount;
  const bool confirm = (choice & 1) != 0;
  const bool yes = (choice & 0x10) != 0;

  FakeToolkit toolkit;
  FakeInput input;
  DiskFileSystem files((programFolder() / "Quillmarten.exe").string());
  FakeInteraction interaction;
  FakeUserRegistry registry;
  FakeImageConverter images(files, programFolder());
  FakeWorker worker;
  Platform platform{toolkit, input, files, interaction, registry, images, worker};
  Application app(platform);
  TForm2& editor = app.Form2();
  app.trayMenu().N11().onClick();
  if (editor.listTabs()[static_cast<std::size_t>(tab)].enabled()) {
    editor.listTabs()[static_cast<std::size_t>(tab)].onClick();
  }
  const int shown = editor.shownList();
  QM_FUZZ_CHECK(shown >= 0 && shown < kFolderListCount);
  const ConfirmedFolderLists before = app.store().folderLists();
  const Settings header = app.store().settings();
  const Bytes fileBefore = readSettingsFile();
  const std::vector<std::string> names = editor.ListBox1().items();
  const std::vector<std::string> paths = editor.ListBox2().items();
  QM_FUZZ_CHECK(names.size() == paths.size() && names.size() <= kSlotsPerList);
  const int writes = files.writes;
  interaction.messageBoxes.clear();
  interaction.messageBoxAnswers = {yes ? kIdYes : kIdNo, kIdNo};

  if (confirm) {
    editor.Button7Click();
  } else {
    editor.Button14Click();
  }

  const bool refused = confirm ? names.empty() : header.lastListIndex == 0;
  const bool saves = !refused && (confirm || yes);
  QM_FUZZ_CHECK(files.writes == writes + (saves ? 1 : 0));
  if (!saves) {
    QM_FUZZ_CHECK(readSettingsFile() == fileBefore);
    QM_FUZZ_CHECK(!refused || interaction.messageBoxes.size() == 1);
    return 0;
  }
  const Bytes saved = readSettingsFile();
  QM_FUZZ_CHECK(saved.size() == settings_file::kFileSize);
  const ConfirmedFolderLists after = listsOf(saved);
  ConfirmedFolderLists expected = before;
  std::int8_t expectedLast = header.lastListIndex;
  if (confirm) {
    FolderList packed{};
    for (std::size_t i = 0; i < names.size(); ++i) {
      packed[i].name.assign(names[i]);
      packed[i].path.assign(paths[i]);
    }
    expected.lists[static_cast<std::size_t>(shown)] = packed;
    expectedLast = std::max<std::int8_t>(expectedLast, static_cast<std::int8_t>(shown));
  } else {
    for (std::size_t i = static_cast<std::size_t>(shown); i + 1 < kFolderListCount; ++i) {
      expected.lists[i] = before.lists[i + 1];
    }
    expected.lists.back() = FolderList{};
    expectedLast = static_cast<std::int8_t>(expectedLast - 1);
    QM_FUZZ_CHECK(app.Form1().currentFolderList() == 0);
  }
  QM_FUZZ_CHECK(after.lists == expected.lists);
  QM_FUZZ_CHECK(static_cast<std::int8_t>(saved[settings_file::kLastListIndexOffset]) ==
                expectedLast);
  QM_FUZZ_CHECK(saved[settings_file::kSwitchFlagsOffset] == header.switchFlags);
  QM_FUZZ_CHECK(app.Form1().pendingListSelection() == TForm1::kNoPendingList);
  return 0;
}
