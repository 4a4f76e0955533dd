#pragma once

#include <windows.h>

#include "platform/Interaction.h"

namespace qm {

class Win32Interaction : public Interaction {
 public:
  // Message boxes and dialogs are owned by `owner`, the program's hidden owner window.
  explicit Win32Interaction(HWND owner) : owner_(owner) {}

  int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  SaveDialogResult saveDialog(const SaveDialogRequest& request) override;
  std::optional<EncodedText> openFileDialog(const OpenDialogRequest& request) override;
  std::optional<EncodedText> chooseFolder(const EncodedText& startDir) override;
  void playSound(const EncodedText& path, std::uint32_t flags) override;
  void shellExecute(const std::string& file, const std::string& parameters) override;
  // In Win32ShowInFolder.cpp.
  void showInFolder(const std::string& path, TextEncoding encoding) override;

 private:
  HWND owner_;
};

}  // namespace qm
