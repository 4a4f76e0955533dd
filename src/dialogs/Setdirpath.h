// The folder-list editor: holds the confirmed folder lists (in the settings store) that every save
// writes, and lets the user register the folders of each list.
#pragma once

#include "dialogs/DialogForm.h"

namespace qm {

class SettingsStore;

class TForm2 : public DialogForm {
 public:
  // Builds the editor hidden and runs FormCreate.
  TForm2(Toolkit& toolkit, SettingsStore& store);

  // Reads the confirmed folder lists, once at program start.
  void FormCreate();

 private:
  SettingsStore& store_;
};

}  // namespace qm
