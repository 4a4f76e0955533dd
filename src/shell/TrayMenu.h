// The tray icon and its popup menu, from which the user reaches every command. The menu's check
// marks show the stored save mode and drop window size, and whether Windows starts the program.
#pragma once

#include <cstdint>
#include <optional>

#include "dropwindow/SettingsMarks.h"
#include "platform/Menu.h"
#include "platform/Platform.h"
#include "platform/TrayIcon.h"
#include "shell/StartWithWindows.h"

namespace qm {

class SaveHistory;
class SettingsStore;
class TForm1;
class TForm2;
class TForm3;
class TForm5;

class TrayMenu : public SettingsMarks {
 public:
  // Builds the menu and the icon, hidden. The size and save-mode commands work from here on; the
  // commands that open or close a window are wired by attachWindows.
  TrayMenu(Platform& platform, SettingsStore& store);

  struct Windows {
    TForm1& dropWindow;
    TForm2& folderEditor;
    TForm3& about;
    TForm5& properties;
  };
  void attachWindows(const Windows& windows);
  // Wires the undo and open items to the saves of this run; they are greyed while there is
  // nothing to act on.
  void attachHistory(SaveHistory& history);

  void markSaveMode(std::int16_t saveMode) override;
  void markDropWindowSize(std::int16_t dropWindowSize) override;

  void N1Click();
  void N2Click();
  void N3Click();
  void N4Click();
  void N5Click();
  void N6Click();
  // These need the windows given to attachWindows.
  void N11Click();
  void N8Click();
  void N7Click();
  void E1Click();
  // Turns starting with Windows on or off, the other way from what the mark shows.
  void StartWithWindowsClick();
  // The mark follows the registry, which the user may change elsewhere (Task Manager, the
  // startup-apps settings), so it is read again each time the menu opens.
  void markStartWithWindows();
  // These need the history given to attachHistory.
  void U1Click();
  void O1Click();

  MenuItem& PopupMenu1() { return popupMenu1_; }
  MenuItem& N11() { return n11_; }
  MenuItem& N21() { return n21_; }
  MenuItem& N4() { return n4_; }
  MenuItem& N5() { return n5_; }
  MenuItem& N6() { return n6_; }
  MenuItem& N31() { return n31_; }
  MenuItem& N1() { return n1_; }
  MenuItem& N2() { return n2_; }
  MenuItem& N3() { return n3_; }
  MenuItem& N8() { return n8_; }
  MenuItem& N7() { return n7_; }
  MenuItem& U1() { return u1_; }
  MenuItem& O1() { return o1_; }
  MenuItem& StartWithWindowsItem() { return startWithWindows_; }
  MenuItem& E1() { return e1_; }
  TrayIcon& TrayIcon1() { return trayIcon1_; }

 private:
  void chooseSaveMode(std::int16_t saveMode);
  void chooseDropWindowSize(std::int16_t dropWindowSize);
  void showWhatHistoryCanDo();

  Platform& platform_;
  SettingsStore& store_;
  StartWithWindows startup_;
  std::optional<Windows> windows_;
  SaveHistory* history_ = nullptr;

  // Items join their parent in the order they are built, so this order is the menu's.
  MenuItem popupMenu1_;
  MenuItem n11_;
  MenuItem n21_;
  MenuItem n4_;
  MenuItem n5_;
  MenuItem n6_;
  MenuItem n31_;
  MenuItem n1_;
  MenuItem n2_;
  MenuItem n3_;
  MenuItem n8_;
  MenuItem n7_;
  MenuItem n12_;
  MenuItem u1_;
  MenuItem o1_;
  MenuItem startWithWindows_;
  MenuItem n13_;
  MenuItem e1_;
  TrayIcon trayIcon1_;
};

}  // namespace qm
