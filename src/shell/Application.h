// The program's objects, built once in start-up order and kept until the program ends: the
// settings store, the tray menu and the five windows. The drop window is the main window. Before
// the tray icon comes up, what an earlier run left half way through a save is cleared away.
#pragma once

#include "dialogs/Property.h"
#include "dialogs/Setdirpath.h"
#include "dialogs/Ver.h"
#include "dropwindow/DragWatcher.h"
#include "dropwindow/DropHandler.h"
#include "dropwindow/Msg.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/SaveFlow.h"
#include "dropwindow/SaveHistory.h"
#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "shell/TrayMenu.h"

namespace qm {

class Application {
 public:
  // Creates the windows (the drop window loads the settings and may ask the user about a missing
  // settings file on the way), then puts the tray icon up.
  explicit Application(Platform& platform);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Closing it ends the message loop.
  Window& mainWindow() { return form1_.window(); }

  SettingsStore& store() { return store_; }
  TrayMenu& trayMenu() { return trayMenu_; }
  TForm1& Form1() { return form1_; }
  TForm2& Form2() { return form2_; }
  TForm3& Form3() { return form3_; }
  TForm4& Form4() { return form4_; }
  TForm5& Form5() { return form5_; }
  DragWatcher& watcher() { return watcher_; }
  SaveHistory& history() { return history_; }

 private:
  // Built in this order.
  SettingsStore store_;
  TrayMenu trayMenu_;
  TForm1 form1_;
  TForm2 form2_;
  TForm3 form3_;
  TForm4 form4_;
  TForm5 form5_;
  DragWatcher watcher_;
  SaveHistory history_;
  SaveFlow saveFlow_;
  DropHandler dropHandler_;
};

}  // namespace qm
