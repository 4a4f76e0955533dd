// The drop window's handler for dropped files: the first file of a drop goes through the save
// flow while the drop-busy count keeps the window up. Saves run one at a time, in the order the
// drops came: a drop that comes while a save runs (its bytes moving aside, or a box of it open)
// waits for it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "dropwindow/SaveFlow.h"
#include "platform/Window.h"

namespace qm {

class TForm1;

class DropHandler {
 public:
  DropHandler(TForm1& form, SaveFlow& flow);

  // WM_DROPFILES. The other files of a drop are ignored. The list is released once the first
  // path is read; the drop counts as busy until its save is done.
  void WMDropFiles(DroppedFiles& files);
  // An OLE drop. Where it landed and Shift are read first, then what it brought is taken, aside;
  // the save runs from the window's own loop once the dragging program has its drop back, the
  // window stays up until it is done, and the dragging program's data is let go only then.
  void OleDrop(const std::function<TakenDrop(std::uint64_t)>& take);

 private:
  // Runs `save` now, or once the saves before it are done.
  void inTurn(std::function<void()> save);
  void saveTaken(const DropAim& aim, TakenDrop& taken);
  // Room on the drive of the panel's folder, the most a virtual file of no announced size may
  // bring; none off the panels, where nothing is saved.
  std::uint64_t roomAt(const DropAim& aim) const;

  TForm1& form_;
  SaveFlow& flow_;
  std::deque<std::function<void()>> waiting_;
  bool saving_ = false;
};

}  // namespace qm
