// The drop window's handler for dropped files: the first file of a drop goes through the save
// flow while the drop-busy flag keeps the window up.
#pragma once

#include "dropwindow/SaveFlow.h"
#include "platform/Window.h"

namespace qm {

class TForm1;

class DropHandler {
 public:
  DropHandler(TForm1& form, SaveFlow& flow);

  // WM_DROPFILES. The other files of a drop are ignored. However the handling ends, the list
  // is released and then the flag cleared.
  void WMDropFiles(DroppedFiles& files);

 private:
  TForm1& form_;
  SaveFlow& flow_;
};

}  // namespace qm
