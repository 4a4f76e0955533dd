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
  // Of the folder, the name and the chosen path: UTF-8 for a name code page 932 cannot hold.
  TextEncoding encoding = TextEncoding::Cp932;
};

struct SaveDialogResult {
  std::optional<std::string> path;  // empty when the dialog ended without a path
  std::uint32_t lastError = 0;      // why it did: 0 when the user cancelled
};

struct OpenDialogRequest {
  std::string filter;
  std::string fileName;  // the file chosen last time
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  // MessageBoxA owned by the application; returns the button's ID.
  virtual int messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual SaveDialogResult saveDialog(const SaveDialogRequest& request) = 0;
  virtual std::optional<std::string> openFileDialog(const OpenDialogRequest& request) = 0;
  // A folder chooser that starts at `startDir` and may create a folder the user names.
  virtual std::optional<std::string> chooseFolder(const std::string& startDir) = 0;
  // PlaySoundA with no module and these flags (kSnd*).
  virtual void playSound(const std::string& path, std::uint32_t flags) = 0;
  // Opens the file's folder in the file manager with the file selected.
  virtual void showInFolder(const std::string& path, TextEncoding encoding) = 0;
  // ShellExecuteA with no owner and no verb, SW_SHOWNORMAL.
  virtual void shellExecute(const std::string& file, const std::string& parameters) = 0;
};

}  // namespace qm
