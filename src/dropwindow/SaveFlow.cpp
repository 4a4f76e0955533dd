#include "dropwindow/SaveFlow.h"

#include "dropwindow/DropInFormat.h"
#include "dropwindow/DropRow.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Msg.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/SaveDialogFilter.h"
#include "dropwindow/SaveHistory.h"
#include "dropwindow/SystemErrorText.h"
#include "platform/AppIdentity.h"
#include "platform/Win32Codes.h"
#include "text/Cp932.h"

namespace qm {

using file_names::targetPath;

SaveFlow::SaveFlow(TForm1& form, TForm4& notice, SaveHistory& history)
    : form_(form), notice_(notice), history_(history) {
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
  if (slot) aim.folder = slots[*slot].shownPath();
  return aim;
}

void SaveFlow::save(const DropAim& aim, std::string_view droppedName, TextEncoding encoding,
                    DropSource& source) {
  if (!aim.folder) return;
  // Read once: the properties dialog may be used while the bytes move.
  const std::int16_t mode = form_.settings().saveMode;
  const SaveFormat format = saveFormatFromByte(form_.settings().saveFormat);
  // The name follows the format the picture is saved in; the clean-up and the modes work on it.
  DropInFormat drop;
  const auto inFormat = [&] {
    drop = inSaveFormat(droppedName, encoding, source, format, form_.platform().images);
  };
  // Kept as dropped, nothing is read: no thread is worth starting for it.
  if (format == kSaveAsIs) {
    inFormat();
  } else {
    aside(inFormat);
  }
  // Folder and name meet in UTF-8 when either is beyond code page 932.
  const std::optional<std::string> folder = inEncoding(*aim.folder, encoding);
  const std::optional<std::string> name = inEncoding(
      {file_names::safeForWindows(file_names::cleanBrackets(drop.name, encoding)), encoding},
      aim.folder->encoding);
  if (!folder || !name) {
    showSystemError(kErrorNoUnicodeTranslation, kMbIconInformation);
    return;
  }
  const Target target{*folder, *name,
                      encoding == aim.folder->encoding ? encoding : TextEncoding::Utf8};
  if (aim.askName) {
    askFileName(target, *drop.source);
    return;
  }
  const std::string path = targetPath(target.folder, target.name);
  const CopyOutcome outcome = putAt(*drop.source, path, target.encoding, mode != kSaveOverwrite);
  if (outcome.error == kErrorSuccess) {
    saved(path, target.encoding, outcome);
  } else if (mode == kSaveNumbered && outcome.error == kErrorFileExists) {
    saveNumbered(target, *drop.source);
  } else if (mode == kSaveAskName && outcome.oldAt == OldFileAt::ItsName) {
    askFileName(target, *drop.source);
  } else {
    showFailure(outcome);
  }
}

std::optional<std::string> SaveFlow::inEncoding(const EncodedText& text, TextEncoding other) const {
  if (text.encoding != TextEncoding::Cp932 || other == TextEncoding::Cp932) return text.bytes;
  return form_.platform().files.cp932ToUtf8(text.bytes);
}

void SaveFlow::saveNumbered(const Target& target, DropSource& source) {
  // Only a taken name is worth another number; a read-only folder or a full disk would fail
  // the same way a thousand times.
  CopyOutcome outcome = copyFailed(kErrorFileExists);
  std::string candidate;
  for (unsigned n = 0; n < kNumberedAttempts && outcome.error == kErrorFileExists; ++n) {
    candidate = targetPath(target.folder, file_names::numbered(target.name, n, target.encoding));
    // Asking costs far less than a copy that fails, so many taken names pass in a blink; the
    // copy still refuses a name taken in the meantime.
    outcome = taken(candidate, target.encoding) ? copyFailed(kErrorFileExists)
                                                : putAt(source, candidate, target.encoding, true);
  }
  confirm(candidate, target.encoding, outcome);
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
  confirm(*chosen.path, chosen.encoding, putAt(source, *chosen.path, chosen.encoding, false));
}

bool SaveFlow::taken(const std::string& path, TextEncoding encoding) {
  return !tooLong(path, encoding) && form_.platform().files.exists({path, encoding});
}

bool SaveFlow::tooLong(const std::string& path, TextEncoding encoding) {
  // The system counts the limit in UTF-16 units, which a code page 932 path has at most as
  // many of as bytes.
  const std::size_t length = encoding == TextEncoding::Utf8 ? text::utf16Length(path) : path.size();
  return length >= kMaxPath;
}

CopyOutcome SaveFlow::putAt(DropSource& source, const std::string& path, TextEncoding encoding,
                            bool failIfExists) {
  if (tooLong(path, encoding)) return copyFailed(kErrorFilenameExcedRange);
  CopyOutcome outcome;
  aside([&] { outcome = source.putAt(path, encoding, failIfExists); });
  return outcome;
}

void SaveFlow::aside(const std::function<void()>& byteWork) {
  form_.platform().worker.runAside(byteWork);
}

void SaveFlow::confirm(const std::string& path, TextEncoding encoding, const CopyOutcome& outcome) {
  if (outcome.error == kErrorSuccess) {
    saved(path, encoding, outcome);
  } else {
    showFailure(outcome);
  }
}

void SaveFlow::saved(const std::string& path, TextEncoding encoding, const CopyOutcome& outcome) {
  history_.record(path, encoding, outcome);
  notice_.ShowSavedNotice();
}

void SaveFlow::showFailure(const CopyOutcome& outcome) {
  std::string where;
  if (outcome.oldAt == OldFileAt::RecycleBin) where = kOldInBinText;
  if (outcome.oldAt == OldFileAt::Beside) where = kOldBesideText + outcome.oldPath;
  showSystemError(outcome.error, kMbIconInformation, where);
}

void SaveFlow::showSystemError(std::uint32_t error, unsigned icon, const std::string& more) {
  // Code 0 says the operation succeeded; a failure that came without a reason is bad data.
  if (error == kErrorSuccess) error = kErrorInvalidData;
  Platform& platform = form_.platform();
  std::string text = systemErrorText(platform.files.systemMessage(error), error);
  if (!more.empty()) text += "\r\n" + more;
  platform.interaction.messageBox(text, kAppTitle, kMbOk | icon);
}

}  // namespace qm
