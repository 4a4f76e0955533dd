#include "dropwindow/SaveFlow.h"

#include "dropwindow/DropInFormat.h"
#include "dropwindow/DropRow.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Msg.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/SaveDialogFilter.h"
#include "dropwindow/SystemErrorText.h"
#include "platform/AppIdentity.h"
#include "platform/Win32Codes.h"
#include "text/Cp932.h"

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

void SaveFlow::save(const DropAim& aim, std::string_view droppedName, TextEncoding encoding,
                    DropSource& source) {
  if (!aim.folder) return;
  // The name follows the format the picture is saved in; the clean-up and the modes work on it.
  const DropInFormat drop =
      inSaveFormat(droppedName, encoding, source, saveFormatFromByte(form_.settings().saveFormat),
                   form_.platform().images);
  Target target{*aim.folder, file_names::cleanBrackets(drop.name, encoding), encoding};
  if (encoding == TextEncoding::Utf8) {
    // The folder is stored in code page 932; it joins the name in the name's encoding.
    const std::optional<std::string> folder = form_.platform().files.cp932ToUtf8(target.folder);
    if (!folder) {
      showSystemError(kErrorNoUnicodeTranslation, kMbIconInformation);
      return;
    }
    target.folder = *folder;
  }
  if (aim.askName) {
    askFileName(target, *drop.source);
    return;
  }
  const std::int16_t mode = form_.settings().saveMode;
  const std::uint32_t error =
      putAt(*drop.source, targetPath(target.folder, target.name), encoding, mode != kSaveOverwrite);
  if (error == kErrorSuccess) {
    notice_.ShowSavedNotice();
  } else if (mode == kSaveNumbered && error == kErrorFileExists) {
    saveNumbered(target, *drop.source);
  } else if (mode == kSaveAskName) {
    askFileName(target, *drop.source);
  } else {
    showSystemError(error, kMbIconInformation);
  }
}

void SaveFlow::saveNumbered(const Target& target, DropSource& source) {
  // Only a taken name is worth another number; a read-only folder or a full disk would fail
  // the same way a thousand times.
  std::uint32_t error = kErrorFileExists;
  for (unsigned n = 0; n < kNumberedAttempts && error == kErrorFileExists; ++n) {
    const std::string candidate =
        targetPath(target.folder, file_names::numbered(target.name, n, target.encoding));
    // Asking costs far less than a copy that fails, so many taken names pass in a blink; the
    // copy still refuses a name taken in the meantime.
    error = taken(candidate, target.encoding) ? kErrorFileExists
                                              : putAt(source, candidate, target.encoding, true);
  }
  confirm(error);
}

void SaveFlow::askFileName(const Target& target, DropSource& source) {
  SaveDialog1.initialDir = target.folder;
  SaveDialog1.fileName = target.name;
  SaveDialog1.filterIndex = filterIndexFor(target.name, target.encoding);
  SaveDialog1.encoding = target.encoding;
  const SaveDialogResult chosen = form_.platform().interaction.saveDialog(SaveDialog1);
  if (!chosen.path) {
    if (chosen.lastError != kErrorSuccess) showSystemError(chosen.lastError, kMbIconError);
    return;
  }
  // The dialog has asked before replacing a file.
  confirm(putAt(source, *chosen.path, target.encoding, false));
}

bool SaveFlow::taken(const std::string& path, TextEncoding encoding) {
  return !tooLong(path, encoding) && form_.platform().files.exists(path, encoding);
}

bool SaveFlow::tooLong(const std::string& path, TextEncoding encoding) {
  // The system counts the limit in UTF-16 units, which a code page 932 path has at most as
  // many of as bytes.
  const std::size_t length = encoding == TextEncoding::Utf8 ? text::utf16Length(path) : path.size();
  return length >= kMaxPath;
}

std::uint32_t SaveFlow::putAt(DropSource& source, const std::string& path, TextEncoding encoding,
                              bool failIfExists) {
  if (tooLong(path, encoding)) return kErrorFilenameExcedRange;
  return source.putAt(path, encoding, failIfExists);
}

void SaveFlow::confirm(std::uint32_t error) {
  if (error == kErrorSuccess) {
    notice_.ShowSavedNotice();
  } else {
    showSystemError(error, kMbIconInformation);
  }
}

void SaveFlow::showSystemError(std::uint32_t error, unsigned icon) {
  // Code 0 says the operation succeeded; a failure that came without a reason is bad data.
  if (error == kErrorSuccess) error = kErrorInvalidData;
  Platform& platform = form_.platform();
  platform.interaction.messageBox(systemErrorText(platform.files.systemMessage(error), error),
                                  kAppTitle, kMbOk | icon);
}

}  // namespace qm
