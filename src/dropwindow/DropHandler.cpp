#include "dropwindow/DropHandler.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "dropwindow/DownloadedSource.h"
#include "dropwindow/DroppedFile.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Qmt.h"
#include "platform/VirtualFileLength.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

// One drop in the count of drops being handled, from construction to end() or destruction, so
// that a flow that throws still lets the window go. A count, not a flag: drops wait for each
// other, and the window must stay up until the last one is done. A quit asked for meanwhile
// comes once the last one is.
class BusyDrop {
 public:
  explicit BusyDrop(TForm1& form) : form_(&form) { ++form.dropsBusy; }
  ~BusyDrop() { end(); }
  BusyDrop(const BusyDrop&) = delete;
  BusyDrop& operator=(const BusyDrop&) = delete;
  void end() {
    if (!form_) return;
    TForm1& form = *form_;
    form_ = nullptr;
    if (--form.dropsBusy == 0 && form.quitWhenDropsDone) {
      form.window().runSoon([&form] { form.window().close(); });
    }
  }

 private:
  TForm1* form_;
};

}  // namespace

DropHandler::DropHandler(TForm1& form, SaveFlow& flow) : form_(form), flow_(flow) {}

void DropHandler::inTurn(std::function<void()> save) {
  waiting_.push_back(std::move(save));
  if (saving_) return;
  saving_ = true;
  std::exception_ptr failure;
  while (!waiting_.empty()) {
    const std::function<void()> next = std::move(waiting_.front());
    waiting_.pop_front();
    // One save that fails unexpectedly must not keep the ones after it waiting for ever.
    try {
      next();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  saving_ = false;
  if (failure) std::rethrow_exception(failure);
}

void DropHandler::WMDropFiles(DroppedFiles& files) {
  auto busy = std::make_shared<BusyDrop>(form_);
  const DropAim aim = flow_.aim();
  const EncodedText path = files.firstPath();
  const std::uint32_t readError = files.readError();
  files.finish();
  inTurn([this, aim, path, readError, busy] {
    if (path.bytes.empty()) {
      // Nothing to copy; a drop on a folder still hears why, as any save that fails does.
      if (aim.folder) flow_.showSystemError(readError, kMbIconInformation);
    } else {
      DroppedFile source(form_.platform().files, path);
      flow_.save(aim, file_names::fileNameOf(path.bytes, path.encoding), path.encoding, source);
    }
    busy->end();
  });
}

std::uint64_t DropHandler::roomAt(const DropAim& aim) const {
  if (!aim.folder) return 0;
  return form_.platform().files.freeSpace(*aim.folder).value_or(kUnlimitedRoom);
}

void DropHandler::OleDrop(const std::function<TakenDrop(std::uint64_t)>& take) {
  auto busy = std::make_shared<BusyDrop>(form_);
  // Before the bytes are read, which may take a while: where the user let go is where it goes.
  const DropAim aim = flow_.aim();
  const std::uint64_t room = roomAt(aim);
  auto held = std::make_shared<TakenDrop>();
  form_.platform().worker.runAside([&] { *held = take(room); });
  form_.window().runSoon([this, aim, held, busy] {
    inTurn([this, aim, held, busy] {
      saveTaken(aim, *held);
      // Only now, after any box of the save: a dragging program may delete what it offered
      // once it is let go.
      held->dragData.reset();
      busy->end();
    });
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
