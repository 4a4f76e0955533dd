// The folder-list editor. It holds the confirmed folder lists (in the settings store) that every
// save writes, and shows one list at a time as a working copy: display names in ListBox1, paths in
// the hidden ListBox2 at the same index. Only Confirm and Delete list change the confirmed lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogForm.h"
#include "platform/Control.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

namespace qm {

class SettingsStore;
class TForm1;

class TForm2 : public DialogForm {
 public:
  // Builds the editor hidden and runs FormCreate. `conflicting` are the tray entries that stay
  // unavailable while the editor is open.
  TForm2(Platform& platform, SettingsStore& store, TForm1& dropWindow,
         ConflictingCommands conflicting);

  // Reads the confirmed folder lists, once at program start.
  void FormCreate();
  // Runs each time the editor becomes visible.
  void FormShow();

  void Button9Click() { switchToList(0); }
  void Button10Click() { switchToList(1); }
  void Button11Click() { switchToList(2); }
  void Button12Click() { switchToList(3); }
  void Button13Click() { switchToList(4); }
  void ListBox1Click();
  void Button1Click();   // browse
  void Button2Click();   // register
  void Button6Click();   // modify
  void Button3Click();   // delete
  void Button4Click();   // up
  void Button5Click();   // down
  void Button7Click();   // confirm
  void Button14Click();  // delete list
  void Button8Click();   // cancel
  // The close box, the system menu's close command and Alt+F4.
  void CloseCommand();

  std::int8_t shownList() const { return shownList_; }
  bool changed() const { return changed_; }
  const EncodedText& browseFolder() const { return browseFolder_; }

  Control& Edit1() { return edit1_; }
  Control& Edit2() { return edit2_; }
  Control& ListBox1() { return listBox1_; }
  Control& ListBox2() { return listBox2_; }
  Control& Panel1() { return panel1_; }
  Control& Panel2() { return panel2_; }
  Control& Button14() { return button14_; }
  // Button9..Button13, the tabs "1".."5".
  std::array<Control, kFolderListCount>& listTabs() { return listTabs_; }
  Control& Button1() { return button1_; }
  Control& Button2() { return button2_; }
  Control& Button3() { return button3_; }
  Control& Button4() { return button4_; }
  Control& Button5() { return button5_; }
  Control& Button6() { return button6_; }
  Control& Button7() { return button7_; }
  Control& Button8() { return button8_; }

 private:
  void buildLayout();
  // The marker lies behind the shown list's tab, wherever the tabs have gone.
  void layOutDependentParts() override { markShownList(); }
  void wireHandlers();
  void switchToList(int k);
  void showList(const FolderList& source);
  void applyTabAvailability();
  void markShownList();
  // Names and paths in UTF-8 where code page 932 cannot spell them.
  using Texts = std::vector<EncodedText>;
  void setWorkingCopy(Texts names, Texts paths, int selected);
  void swapSelectedWith(int offset);
  // What the settings file holds for a name or path: the text itself, or what code page 932
  // makes of it.
  std::string cp932Form(const EncodedText& text) const;
  // Refuses, with a message under `caption`, a text whose bytes would not fit its field.
  bool fitsFields(const EncodedText& name, const EncodedText& path, const char* caption);
  void closeEditor();
  void showError(const std::string& text, const char* caption);

  Interaction& interaction_;
  FileSystem& files_;
  SettingsStore& store_;
  TForm1& dropWindow_;

  // Built in the keyboard's tab order; the list strip and its tabs come last.
  Control edit1_;
  Control edit2_;
  Control button1_;
  Control button2_;
  Control button6_;
  Control button3_;
  Control button8_;
  Control button7_;
  Control button4_;
  Control button5_;
  Control listBox1_;
  Control listBox2_;
  Control panel1_;
  Control label5_;
  std::array<Control, kFolderListCount> listTabs_;
  // Built after the tabs, so that it lies behind them.
  Control panel2_;
  Control button14_;
  Control label1_;
  Control label2_;
  Control label3_;

  EncodedText browseFolder_;
  std::int8_t shownList_ = 0;
  bool changed_ = false;
};

}  // namespace qm
