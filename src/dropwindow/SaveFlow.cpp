#include "dropwindow/SaveFlow.h"

#include "dialogs/Msg.h"
#include "dropwindow/DropRow.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/SaveDialogFilter.h"
#include "dropwindow/SystemErrorText.h"
#include "platform/Win32Codes.h"
#include "shell/AppIdentity.h"

namespace qm {

using file_names::targetPath;

SaveFlow::SaveFlow(TForm1& form, TForm4& notice) : form_(form), notice_(notice) {
  SaveDialog1.filter = std::string(kSaveDialogFilter);
}

DropAim SaveFlow::aim() const {
  DropAim aim;
  aim.askName = form_.shiftOverride;
  // The pointer now, not the point the drop message carries: that is where the user let go.
  const std::optional<Point> pointer = form_.platform().input.cursorPos();
  if (!pointer) return aim;
  const FolderList& slots = form_.settings().slots;
  const std::optional<std::size_t> slot = dropSlot(pointer->y, form_.window().bounds().top,
                                                   form_.folderPanels()[0].bounds().height, slots);
  if (slot) aim.folder = slots[*slot].path.str();
  return aim;
}

void SaveFlow::save(const DropAim& aim, std::string_view droppedName, DropSource& source) {
  if (!aim.folder) return;
  const std::string& folder = *aim.folder;
  const std::string name = file_names::cleanBrackets(droppedName);
  if (aim.askName) {
    askFileName(folder, name, source);
    return;
  }
  const std::int16_t mode = form_.settings().saveMode;
  const std::uint32_t error = putAt(source, targetPath(folder, name), mode != kSaveOverwrite);
  if (error == kErrorSuccess) {
    notice_.ShowSavedNotice();
  } else if (mode == kSaveNumbered && error == kErrorFileExists) {
    saveNumbered(folder, name, source);
  } else if (mode == kSaveAskName) {
    askFileName(folder, name, source);
  } else {
    showSystemError(error, kMbIconInformation);
  }
}

void SaveFlow::saveNumbered(const std::string& folder, const std::string& name,
                            DropSource& source) {
  // Only a taken name is worth another number; a read-only folder or a full disk would fail
  // the same way a thousand times.
  std::uint32_t error = kErrorFileExists;
  for (unsigned n = 0; n < kNumberedAttempts && error == kErrorFileExists; ++n) {
    const std::string candidate = targetPath(folder, file_names::numbered(name, n));
    // Asking costs far less than a copy that fails, so many taken names pass in a blink; the
    // copy still refuses a name taken in the meantime.
    const bool taken = candidate.size() < kMaxPath && form_.platform().files.exists(candidate);
    error = taken ? kErrorFileExists : putAt(source, candidate, true);
  }
  confirm(error);
}

void SaveFlow::askFileName(const std::string& folder, const std::string& name, DropSource& source) {
  SaveDialog1.initialDir = folder;
  SaveDialog1.fileName = name;
  SaveDialog1.filterIndex = filterIndexFor(name);
  const SaveDialogResult chosen = form_.platform().interaction.saveDialog(SaveDialog1);
  if (!chosen.path) {
    if (chosen.lastError != kErrorSuccess) showSystemError(chosen.lastError, kMbIconError);
    return;
  }
  // The dialog has asked before replacing a file.
  confirm(putAt(source, *chosen.path, false));
}

std::uint32_t SaveFlow::putAt(DropSource& source, const std::string& target, bool failIfExists) {
  if (target.size() >= kMaxPath) return kErrorFilenameExcedRange;
  return source.putAt(target, failIfExists);
}

void SaveFlow::confirm(std::uint32_t error) {
  if (error == kErrorSuccess) {
    notice_.ShowSavedNotice();
  } else {
    showSystemError(error, kMbIconInformation);
  }
}

void SaveFlow::showSystemError(std::uint32_t error, unsigned icon) {
  Platform& platform = form_.platform();
  platform.interaction.messageBox(systemErrorText(platform.files.systemMessage(error), error),
                                  kAppTitle, kMbOk | icon);
}

}  // namespace qm
