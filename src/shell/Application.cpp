#include "shell/Application.h"

namespace qm {

Application::Application(Platform& platform)
    : store_(platform.files, platform.interaction),
      trayMenu_(platform, store_),
      form1_(platform, store_, trayMenu_),
      form2_(platform, store_, form1_, {&trayMenu_.N21(), &trayMenu_.N31(), &trayMenu_.N8()}),
      form3_(platform),
      form4_(platform, form1_.noticeCountdown),
      form5_(platform, store_, {&trayMenu_.N11(), &trayMenu_.N21(), &trayMenu_.N31()}),
      watcher_(platform.input, form1_, form4_),
      saveFlow_(form1_, form4_),
      dropHandler_(form1_, saveFlow_) {
  store_.onSaved = [this] { form1_.Refresh(); };
  form1_.window().onDropFiles = [this](DroppedFiles& files) { dropHandler_.WMDropFiles(files); };
  form1_.window().onOleDrop = [this](const std::function<TakenDrop()>& take) {
    dropHandler_.OleDrop(take);
  };
  trayMenu_.attachWindows({form1_, form2_, form3_, form5_});
  // The icon comes up last, so no tray command can run while the first refresh still waits on
  // the missing-settings message and the other windows do not exist yet.
  trayMenu_.TrayIcon1().setVisible(true);
}

}  // namespace qm
