// Saving one drop into the folder of the panel it landed on, by the save mode: a direct copy,
// then, when that fails, a numbered name, the file-name dialog or the system's error text. Every
// save that succeeds shows the saved notice; every one that fails says why. The flow does not
// care where the dropped content comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dropwindow/DropSource.h"
#include "platform/Interaction.h"

namespace qm {

class TForm1;
class TForm4;

// Where a drop lands, read when it arrives: the folder of the panel under the pointer (none off
// the panels) and whether Shift asked for a file name.
struct DropAim {
  std::optional<std::string> folder;
  bool askName = false;
};

class SaveFlow {
 public:
  static constexpr unsigned kNumberedAttempts = 1000;

  SaveFlow(TForm1& form, TForm4& notice);

  // Reads the pointer and the Shift override now.
  DropAim aim() const;
  // `droppedName` is the name as dropped; the flow cleans it up.
  void save(const DropAim& aim, std::string_view droppedName, DropSource& source);

  // Made once; its folder, name and filter index are set anew for every dialog save.
  SaveDialogRequest SaveDialog1;

 private:
  void saveNumbered(const std::string& folder, const std::string& name, DropSource& source);
  void askFileName(const std::string& folder, const std::string& name, DropSource& source);
  // Refuses a path too long for the system before the source sees it.
  std::uint32_t putAt(DropSource& source, const std::string& target, bool failIfExists);
  void confirm(std::uint32_t error);
  void showSystemError(std::uint32_t error, unsigned icon);

  TForm1& form_;
  TForm4& notice_;
};

}  // namespace qm
