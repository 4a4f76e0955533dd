// What the program asks of the user or the desktop: message boxes, common dialogs, sound and
// starting other programs. Every call is modal where the platform's is; timer ticks go on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text/Encoding.h"

namespace qm {

struct SaveDialogRequest {
  std::string initialDir;
  std::string fileName;
  std::string filter;  // "description|patterns|..." pairs, always code page 932
  int filterIndex = 1;
  // Of the folder and the name: UTF-8 for a name code page 932 cannot hold.
  TextEncoding encoding = TextEncoding::Cp932;
};

struct SaveDialogResult {
  std::optional<std::string> path;  // empty when the dialog ended without a path
  std::uint32_t lastError = 0;      // why it did: 0 when the user cancelled
  // Of the chosen path: UTF-8 when the user chose one that code page 932 cannot spell.
  TextEncoding encoding = TextEncoding::Cp932;
};

struct OpenDialogRequest {
  std::string filter;
  EncodedText fileName;  // the file chosen last time
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  // A message box owned by the application; returns the button's ID.
  virtual int messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual SaveDialogResult saveDialog(const SaveDialogRequest& request) = 0;
  virtual std::optional<EncodedText> openFileDialog(const OpenDialogRequest& request) = 0;
  // A folder chooser that starts at `startDir` and may create a folder the user names.
  virtual std::optional<EncodedText> chooseFolder(const EncodedText& startDir) = 0;
  // PlaySound with no module and these flags (kSnd*).
  virtual void playSound(const EncodedText& path, std::uint32_t flags) = 0;
  // Opens the file's folder in the file manager with the file selected.
  virtual void showInFolder(const std::string& path, TextEncoding encoding) = 0;
  // ShellExecute with no owner and no verb, SW_SHOWNORMAL.
  virtual void shellExecute(const std::string& file, const std::string& parameters) = 0;
};

}  // namespace qm
