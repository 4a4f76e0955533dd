// The drop window's handler for dropped files: the first file of a drop goes through the save
// flow while the drop-busy flag keeps the window up.
#pragma once

#include <functional>

#include "dropwindow/SaveFlow.h"
#include "platform/Window.h"

namespace qm {

class TForm1;

class DropHandler {
 public:
  DropHandler(TForm1& form, SaveFlow& flow);

  // WM_DROPFILES. The other files of a drop are ignored. However the handling ends, the list
  // is released and then the drop no longer counts as busy.
  void WMDropFiles(DroppedFiles& files);
  // An OLE drop. Where it landed and Shift are read first, then what it brought is taken; the
  // save runs from the window's own loop once the dragging program has its drop back, the
  // window stays up until it is done, and the dragging program's data is let go only then.
  void OleDrop(const std::function<TakenDrop()>& take);

 private:
  void saveTaken(const DropAim& aim, TakenDrop& taken);

  TForm1& form_;
  SaveFlow& flow_;
};

}  // namespace qm
