#include "shell/TrayMenu.h"

#include "dialogs/Property.h"
#include "dialogs/Setdirpath.h"
#include "dialogs/Ver.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/SaveHistory.h"
#include "dropwindow/SystemErrorText.h"
#include "platform/AppIdentity.h"
#include "platform/Win32Codes.h"
#include "settings/SettingsStore.h"

namespace qm {
namespace {

// Exactly one item of a submenu carries the check mark: the one of the stored value.
void markOne(std::initializer_list<MenuItem*> itemsByValue, int value) {
  int itemValue = 0;
  for (MenuItem* item : itemsByValue) item->setChecked(itemValue++ == value);
}

}  // namespace

TrayMenu::TrayMenu(Platform& platform, SettingsStore& store)
    : platform_(platform),
      store_(store),
      startup_(platform.registry),
      popupMenu1_(platform.toolkit, MenuItemKind::Popup, nullptr, "PopupMenu1", ""),
      n11_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "N11",
           "保存先フォルダ登録(&M)..."),
      n21_(platform.toolkit, MenuItemKind::Submenu, &popupMenu1_, "N21",
           "ドロップウィンドウサイズ"),
      n4_(platform.toolkit, MenuItemKind::CheckItem, &n21_, "N4", "小さい"),
      n5_(platform.toolkit, MenuItemKind::CheckItem, &n21_, "N5", "普通"),
      n6_(platform.toolkit, MenuItemKind::CheckItem, &n21_, "N6", "大きい"),
      n31_(platform.toolkit, MenuItemKind::Submenu, &popupMenu1_, "N31", "保存モード"),
      n1_(platform.toolkit, MenuItemKind::CheckItem, &n31_, "N1", "上書き"),
      n2_(platform.toolkit, MenuItemKind::CheckItem, &n31_, "N2", "別名保存"),
      n3_(platform.toolkit, MenuItemKind::CheckItem, &n31_, "N3", "ファイル名入力"),
      n8_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "N8", "プロパティ(&P)..."),
      n7_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "N7", "バージョン情報(&V)..."),
      n12_(platform.toolkit, MenuItemKind::Separator, &popupMenu1_, "N12", ""),
      u1_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "U1", "直前の保存を元に戻す(&U)"),
      o1_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "O1",
          "最後に保存したフォルダを開く(&O)"),
      startWithWindows_(platform.toolkit, MenuItemKind::CheckItem, &popupMenu1_, "StartWithWindows",
                        "Windows 起動時に開始(&S)"),
      n13_(platform.toolkit, MenuItemKind::Separator, &popupMenu1_, "N13", ""),
      e1_(platform.toolkit, MenuItemKind::Command, &popupMenu1_, "E1", "終了(&E)"),
      trayIcon1_(platform.toolkit, popupMenu1_, kAppTitle) {
  n1_.onClick = [this] { N1Click(); };
  n2_.onClick = [this] { N2Click(); };
  n3_.onClick = [this] { N3Click(); };
  n4_.onClick = [this] { N4Click(); };
  n5_.onClick = [this] { N5Click(); };
  n6_.onClick = [this] { N6Click(); };
  startWithWindows_.onClick = [this] { StartWithWindowsClick(); };
  trayIcon1_.onMenuOpening = [this] { markStartWithWindows(); };
  markStartWithWindows();
  // Nothing is saved yet.
  u1_.setEnabled(false);
  o1_.setEnabled(false);
}

void TrayMenu::attachWindows(const Windows& windows) {
  windows_.emplace(windows);
  n11_.onClick = [this] { N11Click(); };
  n8_.onClick = [this] { N8Click(); };
  n7_.onClick = [this] { N7Click(); };
  e1_.onClick = [this] { E1Click(); };
}

void TrayMenu::attachHistory(SaveHistory& history) {
  history_ = &history;
  history.onChange = [this] { showWhatHistoryCanDo(); };
  u1_.onClick = [this] { U1Click(); };
  o1_.onClick = [this] { O1Click(); };
  showWhatHistoryCanDo();
}

void TrayMenu::showWhatHistoryCanDo() {
  u1_.setEnabled(history_->canUndo());
  o1_.setEnabled(history_->canOpen());
}

void TrayMenu::markSaveMode(std::int16_t saveMode) {
  markOne({&n1_, &n2_, &n3_}, saveMode);
}

void TrayMenu::markDropWindowSize(std::int16_t dropWindowSize) {
  markOne({&n4_, &n5_, &n6_}, dropWindowSize);
}

// The mark goes on the choice at once; a save that fails puts it back on the value kept.
void TrayMenu::chooseSaveMode(std::int16_t saveMode) {
  markSaveMode(saveMode);
  store_.setSaveMode(saveMode);
  markSaveMode(store_.settings().saveMode);
}

void TrayMenu::chooseDropWindowSize(std::int16_t dropWindowSize) {
  markDropWindowSize(dropWindowSize);
  store_.setDropWindowSize(dropWindowSize);
  markDropWindowSize(store_.settings().dropWindowSize);
}

void TrayMenu::N1Click() {
  chooseSaveMode(kSaveOverwrite);
}

void TrayMenu::N2Click() {
  chooseSaveMode(kSaveNumbered);
}

void TrayMenu::N3Click() {
  chooseSaveMode(kSaveAskName);
}

void TrayMenu::N4Click() {
  chooseDropWindowSize(kSizeSmall);
}

void TrayMenu::N5Click() {
  chooseDropWindowSize(kSizeNormal);
}

void TrayMenu::N6Click() {
  chooseDropWindowSize(kSizeLarge);
}

void TrayMenu::N11Click() {
  windows_.value().folderEditor.Show();
}

void TrayMenu::N8Click() {
  TForm5& properties = windows_.value().properties;
  properties.fillFrom(store_.settings());
  properties.Show();
}

void TrayMenu::N7Click() {
  windows_.value().about.Show();
}

void TrayMenu::U1Click() {
  history_->undoLatest();
}

void TrayMenu::O1Click() {
  history_->openLatestFolder();
}

void TrayMenu::E1Click() {
  TForm1& dropWindow = windows_.value().dropWindow;
  // A save under way, or waiting, is finished first: the program ends once the last is done.
  if (dropWindow.dropsBusy > 0) {
    dropWindow.quitWhenDropsDone = true;
    return;
  }
  // The drop window is the main window: closing it ends the message loop.
  dropWindow.window().close();
}

void TrayMenu::markStartWithWindows() {
  startWithWindows_.setChecked(startup_.isOn());
}

void TrayMenu::StartWithWindowsClick() {
  const std::uint32_t error = startup_.isOn() ? startup_.turnOff() : startup_.turnOn();
  markStartWithWindows();
  if (error != 0) {
    platform_.interaction.messageBox(systemErrorText(platform_.files.systemMessage(error), error),
                                     kAppTitle, kMbOk | kMbIconError);
  }
}

}  // namespace qm
