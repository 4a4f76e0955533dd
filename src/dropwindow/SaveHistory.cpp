#include "dropwindow/SaveHistory.h"

#include "dropwindow/SystemErrorText.h"
#include "platform/AppIdentity.h"
#include "platform/Win32Codes.h"

namespace qm {

void SaveHistory::record(const std::string& path, TextEncoding encoding,
                         const CopyOutcome& outcome) {
  const std::optional<FileStamp> stamp = platform_.files.stamp(path, encoding);
  if (!stamp) return;
  latest_ = Save{path, encoding, *stamp, outcome.oldTicket};
  // A file replaced where the drive keeps no Recycle Bin is gone for good, and one whose item in
  // the bin is not known cannot be fetched: that save cannot be taken back, and taking back an
  // earlier one in its stead would surprise.
  if (outcome.replaced && outcome.oldTicket == 0) {
    saves_.clear();
  } else {
    saves_.push_front(*latest_);
    if (saves_.size() > kMostSaves) saves_.pop_back();
  }
  changed();
}

void SaveHistory::undoLatest() {
  if (saves_.empty()) return;
  const Save save = saves_.front();
  // Taken back or not, the save leaves the list: a file changed since stays the user's, and the
  // next choice reaches the save before it.
  saves_.pop_front();
  changed();
  if (platform_.files.stamp(save.path, save.encoding) != save.stamp) {
    platform_.interaction.messageBox(kChangedText, kAppTitle, kMbOk | kMbIconInformation);
    return;
  }
  if (const std::uint32_t error = takeBack(save)) showSystemError(error);
}

std::uint32_t SaveHistory::takeBack(const Save& save) {
  FileSystem& files = platform_.files;
  BinTicket newTicket = 0;
  if (const std::uint32_t error = files.recycle(save.path, save.encoding, newTicket)) {
    return error;
  }
  if (save.oldTicket == 0) return kErrorSuccess;
  const std::uint32_t error = files.restoreFromBin(save.oldTicket);
  // The old file could not come back: the new one does, so that the name is never left empty.
  if (error != kErrorSuccess && newTicket != 0) files.restoreFromBin(newTicket);
  return error;
}

void SaveHistory::openLatestFolder() {
  if (latest_) platform_.interaction.showInFolder(latest_->path, latest_->encoding);
}

void SaveHistory::showSystemError(std::uint32_t error) {
  platform_.interaction.messageBox(systemErrorText(platform_.files.systemMessage(error), error),
                                   kAppTitle, kMbOk | kMbIconInformation);
}

void SaveHistory::changed() {
  if (onChange) onChange();
}

}  // namespace qm
