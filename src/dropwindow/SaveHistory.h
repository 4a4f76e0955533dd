// The saves of this run, newest first, so that the tray can take the latest ones back and show
// where the latest went. Held in memory only: a new run starts with none.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/CopyOutcome.h"
#include "platform/Platform.h"
#include "text/Encoding.h"

namespace qm {

class SaveHistory {
 public:
  static constexpr std::size_t kMostSaves = 20;
  static constexpr const char* kChangedText = "保存したファイルが変更されたため、元に戻せません。";

  explicit SaveHistory(Platform& platform) : platform_(platform) {}

  // A save that worked: `path` now holds the copy, and `outcome` says what it did to a file there.
  void record(const std::string& path, TextEncoding encoding, const CopyOutcome& outcome);
  // Takes back the latest save not yet taken back: a new file goes to the Recycle Bin; after an
  // overwrite the old file comes back to its name and the new one goes to the Recycle Bin. A file
  // changed or gone since is left as it is, and the box says so.
  void undoLatest();
  // Opens the folder of the latest save with its file selected.
  void openLatestFolder();

  bool canUndo() const { return !saves_.empty(); }
  bool canOpen() const { return latest_.has_value(); }
  // Runs after every change of what the two can do.
  std::function<void()> onChange;

 private:
  struct Save {
    std::string path;
    TextEncoding encoding;
    FileStamp stamp;
    BinTicket oldTicket;  // 0 for a new file
  };

  std::uint32_t takeBack(const Save& save);
  void showSystemError(std::uint32_t error);
  void changed();

  Platform& platform_;
  std::deque<Save> saves_;  // newest first
  std::optional<Save> latest_;
};

}  // namespace qm
