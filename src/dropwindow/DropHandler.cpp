#include "dropwindow/DropHandler.h"

#include <memory>
#include <optional>
#include <string>

#include "dropwindow/DroppedFile.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Qmt.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

// The watcher must not hide the window while a box of the flow is open, and the list must be
// released before the window may go, also when the flow throws.
class DropInProgress {
 public:
  DropInProgress(bool& busy, DroppedFiles& files) : busy_(busy), files_(files) { busy_ = true; }
  ~DropInProgress() {
    files_.finish();
    busy_ = false;
  }
  DropInProgress(const DropInProgress&) = delete;
  DropInProgress& operator=(const DropInProgress&) = delete;

 private:
  bool& busy_;
  DroppedFiles& files_;
};

// Clears the drop-busy flag when the save is done, also when it throws, unless the save has been
// handed on to run later.
class BusyUntilDone {
 public:
  explicit BusyUntilDone(bool& busy) : busy_(&busy) { busy = true; }
  ~BusyUntilDone() {
    if (busy_) *busy_ = false;
  }
  BusyUntilDone(const BusyUntilDone&) = delete;
  BusyUntilDone& operator=(const BusyUntilDone&) = delete;
  void handOn() { busy_ = nullptr; }

 private:
  bool* busy_;
};

}  // namespace

DropHandler::DropHandler(TForm1& form, SaveFlow& flow) : form_(form), flow_(flow) {}

void DropHandler::WMDropFiles(DroppedFiles& files) {
  const DropInProgress inProgress(form_.dropBusy, files);
  const EncodedText path = files.firstPath();
  if (path.bytes.empty()) {
    // Nothing to copy; a drop on a folder still hears why, as any save that fails does.
    if (flow_.aim().folder) flow_.showSystemError(files.readError(), kMbIconInformation);
    return;
  }
  DroppedFile source(form_.platform().files, path);
  flow_.save(flow_.aim(), file_names::fileNameOf(path.bytes, path.encoding), path.encoding, source);
}

void DropHandler::OleDrop(const std::function<TakenDrop()>& take) {
  BusyUntilDone untilPosted(form_.dropBusy);
  // Before the bytes are read, which may take a while: where the user let go is where it goes.
  const DropAim aim = flow_.aim();
  auto held = std::make_shared<TakenDrop>(take());
  form_.window().runSoon([this, aim, held] {
    const BusyUntilDone done(form_.dropBusy);
    saveTaken(aim, *held);
  });
  untilPosted.handOn();
}

void DropHandler::saveTaken(const DropAim& aim, TakenDrop& taken) {
  if (taken.isFile()) {
    const EncodedText& path = taken.filePath;
    DroppedFile source(form_.platform().files, path);
    flow_.save(aim, file_names::fileNameOf(path.bytes, path.encoding), path.encoding, source);
    return;
  }
  if (!aim.folder) return;  // off the panels nothing is saved, and nothing said
  const std::string leaf = file_names::leafOfVirtualName(taken.virtualName, TextEncoding::Utf8);
  if (!taken.content || leaf.empty()) {
    flow_.showSystemError(taken.content ? kErrorInvalidName : taken.contentError,
                          kMbIconInformation);
    return;
  }
  DropSource& source = *taken.content;
  // A name that code page 932 holds goes exactly the way a dropped file's name goes.
  if (const std::optional<std::string> cp932 = form_.platform().files.utf8ToCp932(leaf)) {
    flow_.save(aim, *cp932, TextEncoding::Cp932, source);
  } else {
    flow_.save(aim, leaf, TextEncoding::Utf8, source);
  }
}

}  // namespace qm
