#include "dropwindow/DropHandler.h"

#include <memory>
#include <optional>
#include <string>

#include "dropwindow/DownloadedSource.h"
#include "dropwindow/DroppedFile.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Qmt.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

// One drop in the count of drops being handled, from construction to end() or destruction, so
// that a flow that throws still lets the window go. A count, not a flag: a box of one drop runs
// a loop that takes the next drop, and the window must stay up until the last one is done.
class BusyDrop {
 public:
  explicit BusyDrop(unsigned& busy) : busy_(&busy) { ++busy; }
  ~BusyDrop() { end(); }
  BusyDrop(const BusyDrop&) = delete;
  BusyDrop& operator=(const BusyDrop&) = delete;
  void end() {
    if (busy_) --*busy_;
    busy_ = nullptr;
  }

 private:
  unsigned* busy_;
};

// The list must be released before the drop stops counting.
class DropInProgress {
 public:
  DropInProgress(unsigned& busy, DroppedFiles& files) : busy_(busy), files_(files) {}
  ~DropInProgress() { files_.finish(); }
  DropInProgress(const DropInProgress&) = delete;
  DropInProgress& operator=(const DropInProgress&) = delete;

 private:
  BusyDrop busy_;
  DroppedFiles& files_;
};

}  // namespace

DropHandler::DropHandler(TForm1& form, SaveFlow& flow) : form_(form), flow_(flow) {}

void DropHandler::WMDropFiles(DroppedFiles& files) {
  const DropInProgress inProgress(form_.dropsBusy, files);
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
  auto busy = std::make_shared<BusyDrop>(form_.dropsBusy);
  // Before the bytes are read, which may take a while: where the user let go is where it goes.
  const DropAim aim = flow_.aim();
  auto held = std::make_shared<TakenDrop>(take());
  form_.window().runSoon([this, aim, held, busy] {
    saveTaken(aim, *held);
    // Only now, after any box of the save: a dragging program may delete what it offered once
    // it is let go.
    held->dragData.reset();
    busy->end();
  });
}

void DropHandler::saveTaken(const DropAim& aim, TakenDrop& taken) {
  FileSystem& files = form_.platform().files;
  // Whatever a browser's drag brings is a download, a file it offers from its cache as well.
  if (taken.isFile()) {
    const EncodedText& path = taken.filePath;
    DroppedFile file(files, path);
    DownloadedSource source(files, file, taken.sourceUrl);
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
  DownloadedSource source(files, *taken.content, taken.sourceUrl);
  // A name that code page 932 holds goes exactly the way a dropped file's name goes.
  if (const std::optional<std::string> cp932 = files.utf8ToCp932(leaf)) {
    flow_.save(aim, *cp932, TextEncoding::Cp932, source);
  } else {
    flow_.save(aim, leaf, TextEncoding::Utf8, source);
  }
}

}  // namespace qm
