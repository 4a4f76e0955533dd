#include "shell/Application.h"

#include <string>
#include <vector>

#include "text/Cp932.h"

namespace qm {
namespace {

// Every folder a save or the settings may have left a work file in: the registered folders of
// all five lists and the program's own folder (the temporary folder is the platform's to add).
std::vector<EncodedText> foldersToSweep(FileSystem& files, const SettingsStore& store) {
  std::vector<EncodedText> folders;
  const EncodedText exe = files.executablePath();
  const std::size_t separator = text::findLastCharOf(exe.bytes, "\\/:", exe.encoding);
  if (separator != std::string::npos)
    folders.push_back({exe.bytes.substr(0, separator), exe.encoding});
  for (const FolderList& list : store.folderLists().lists) {
    for (const FolderSlot& slot : list) {
      if (!slot.path.str().empty()) folders.push_back(slot.shownPath());
    }
  }
  return folders;
}

}  // namespace

Application::Application(Platform& platform)
    : store_(platform.files, platform.interaction),
      trayMenu_(platform, store_),
      form1_(platform, store_, trayMenu_),
      form2_(platform, store_, form1_, {&trayMenu_.N21(), &trayMenu_.N31(), &trayMenu_.N8()}),
      form3_(platform),
      form4_(platform, form1_.noticeCountdown),
      form5_(platform, store_, {&trayMenu_.N11(), &trayMenu_.N21(), &trayMenu_.N31()}),
      watcher_(platform.input, form1_, form4_),
      history_(platform),
      saveFlow_(form1_, form4_, history_),
      dropHandler_(form1_, saveFlow_) {
  store_.onSaved = [this] { form1_.Refresh(); };
  form1_.window().onDropFiles = [this](DroppedFiles& files) { dropHandler_.WMDropFiles(files); };
  form1_.window().onOleDrop = [this](const std::function<TakenDrop(std::uint64_t)>& take) {
    dropHandler_.OleDrop(take);
  };
  trayMenu_.attachWindows({form1_, form2_, form3_, form5_});
  trayMenu_.attachHistory(history_);
  platform.files.sweepLeftovers(foldersToSweep(platform.files, store_));
  // The icon comes up last, so no tray command can run while the first refresh still waits on
  // the missing-settings message and the other windows do not exist yet.
  trayMenu_.TrayIcon1().setVisible(true);
}

}  // namespace qm
