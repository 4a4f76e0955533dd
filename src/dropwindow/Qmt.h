// The drop window: a column of folder panels for the current folder list, the mode label with the
// save mode, and the tab strip with one tab per folder list. It holds the current folder list and,
// through the settings store, the settings, and lays itself out again from the settings file at
// every refresh. When it is shown and what it paints during a drag is the drag watcher's business.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "dropwindow/SettingsMarks.h"
#include "platform/Control.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "settings/Settings.h"

namespace qm {

class SettingsStore;

class TForm1 {
 public:
  static constexpr std::uint8_t kNoPendingList = 255;
  static constexpr int kTickMs = 50;

  // Builds the window hidden, starts Timer1 and runs FormCreate, whose refresh loads the settings
  // and may ask the user about a missing settings file.
  TForm1(Platform& platform, SettingsStore& store, SettingsMarks& marks);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  void FormCreate();
  // Reloads the settings for the current folder list and lays the window out again.
  void Refresh();
  // The next folder list in use, wrapping to the first; refreshes even when that is the same list.
  void SelectNextFolderList();
  // Makes folder list n (0..4) current and refreshes, unless it is current already.
  void SelectFolderList(std::int8_t n);
  // Marks the current folder list's tab; the hover style also colours it.
  void PaintTabs(bool hover);

  Platform& platform() { return platform_; }
  SettingsStore& store() { return store_; }
  const Settings& settings() const;

  Window& window() { return window_; }
  // Panel1..Panel12; all have the size of Panel1.
  std::array<Control, kSlotsPerList>& folderPanels() { return folderPanels_; }
  Control& Label1() { return label1_; }
  Control& ButtonPanel() { return buttonPanel_; }
  // FLPanel1..FLPanel5, inside ButtonPanel.
  std::array<Control, kFolderListCount>& tabs() { return tabs_; }
  Timer& Timer1() { return timer1_; }

  std::int8_t currentFolderList() const { return currentList_; }
  std::uint8_t pendingListSelection() const { return pendingList_; }
  void setPendingListSelection(std::uint8_t list) { pendingList_ = list; }

  // Where the drag watcher and the drop handler meet. Both run on the one thread, the handler
  // often inside a modal box whose nested loop keeps the ticks coming, so plain fields suffice.
  unsigned dropsBusy = 0;            // drops being handled: the window must stay up
  bool quitWhenDropsDone = false;    // the user quit while drops were being handled
  bool shiftOverride = false;        // Shift was down in the drag's last tick: ask for a file name
  std::uint8_t noticeCountdown = 0;  // ticks until the saved notice closes; 0 = none pending
  // An OLE drag is over the window: a drop may still come, so it must not go away under it.
  bool dragOver = false;
  // Ticks with the button up since the drag over the window last moved. Each move sets it back
  // to 0; the watcher counts it up and takes a drag that stays quiet too long as gone.
  std::uint8_t dragQuietTicks = 0;

 private:
  void buildLayout();
  // The lengths that do not depend on the settings, for the window's pixel density.
  void layOutFixedParts();
  // The parts that follow the settings last read; Refresh reads them first.
  void layOut();
  void layOutForDpi();
  // A length of the 96-DPI layout at the window's density.
  int px(int length) const;
  int tabLeft(std::size_t tab) const;
  // Each returns the mode label's top.
  int layOutFolders();
  int layOutDefaultFolder();
  void layOutLabelAndTabs(int labelTop);
  void markSettings();

  Platform& platform_;
  SettingsStore& store_;
  SettingsMarks& marks_;

  Window window_;
  std::array<Control, kSlotsPerList> folderPanels_;
  Control label1_;
  Control buttonPanel_;
  std::array<Control, kFolderListCount> tabs_;
  Timer timer1_;

  std::int8_t currentList_ = 0;
  std::uint8_t pendingList_ = kNoPendingList;
  bool fromFile_ = false;  // the last refresh found the settings file
};

}  // namespace qm
