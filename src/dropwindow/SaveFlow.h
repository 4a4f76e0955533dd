// Saving one drop into the folder of the panel it landed on, by the save mode: a direct copy,
// then, when that fails, a numbered name, the file-name dialog or the system's error text. Every
// save that succeeds shows the saved notice; every one that fails says why. The flow does not
// care where the dropped content comes from.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CopyOutcome.h"
#include "platform/DropSource.h"
#include "platform/Interaction.h"
#include "text/Encoding.h"

namespace qm {

class SaveHistory;
class TForm1;
class TForm4;

// Where a drop lands, read when it arrives: the folder of the panel under the pointer (none off
// the panels) and whether Shift asked for a file name.
struct DropAim {
  std::optional<EncodedText> folder;
  bool askName = false;
};

class SaveFlow {
 public:
  static constexpr unsigned kNumberedAttempts = 1000;
  // What a failure box adds when a save did not leave the old file at its name.
  static constexpr const char* kOldInBinText = "元のファイルはごみ箱にあります。";
  static constexpr const char* kOldBesideText = "元のファイルは次の名前で残っています: ";

  // Every save that works goes into `history`.
  SaveFlow(TForm1& form, TForm4& notice, SaveHistory& history);

  // Reads the pointer and the Shift override now.
  DropAim aim() const;
  // `droppedName` is the name as dropped, in code page 932 or, when that cannot hold it, in
  // UTF-8; the flow cleans it up.
  void save(const DropAim& aim, std::string_view droppedName, TextEncoding encoding,
            DropSource& source);
  // The box for a failure of the system, with its own text for the error and then `more`; a
  // failure without a code is shown as bad data, never with the text of code 0, which says all
  // went well.
  void showSystemError(std::uint32_t error, unsigned icon, const std::string& more = "");

  // Made once; its folder, name and filter index are set anew for every dialog save.
  SaveDialogRequest SaveDialog1;

 private:
  // A save's folder and cleaned name, both in the name's encoding.
  struct Target {
    std::string folder;
    std::string name;
    TextEncoding encoding;
  };

  // The text in UTF-8 when it is code page 932 and `other` is UTF-8, else as it is; empty when
  // it cannot be converted.
  std::optional<std::string> inEncoding(const EncodedText& text, TextEncoding other) const;
  void saveNumbered(const Target& target, DropSource& source);
  void askFileName(const Target& target, DropSource& source);
  // A name the numbered search need not try: something is there already.
  bool taken(const std::string& path, TextEncoding encoding);
  static bool tooLong(const std::string& path, TextEncoding encoding);
  // Byte work runs aside, so that the windows answer however long it takes; every question to
  // the user stays on the window's thread, in its order.
  void aside(const std::function<void()>& byteWork);
  // Refuses a path too long for the system before the source sees it.
  CopyOutcome putAt(DropSource& source, const std::string& path, TextEncoding encoding,
                    bool failIfExists);
  void confirm(const std::string& path, TextEncoding encoding, const CopyOutcome& outcome);
  void saved(const std::string& path, TextEncoding encoding, const CopyOutcome& outcome);
  // The system's words, and where the old file is when a failed save moved it.
  void showFailure(const CopyOutcome& outcome);

  TForm1& form_;
  TForm4& notice_;
  SaveHistory& history_;
};

}  // namespace qm
