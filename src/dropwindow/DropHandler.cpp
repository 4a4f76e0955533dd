#include "dropwindow/DropHandler.h"

#include "dropwindow/DroppedFile.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/Qmt.h"

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

}  // namespace

DropHandler::DropHandler(TForm1& form, SaveFlow& flow) : form_(form), flow_(flow) {}

void DropHandler::WMDropFiles(DroppedFiles& files) {
  const DropInProgress inProgress(form_.dropBusy, files);
  const std::string path = files.firstPath();
  if (path.empty()) return;  // the list could not be read: there is nothing to copy
  DroppedFile source(form_.platform().files, path);
  flow_.save(flow_.aim(), file_names::fileNameOf(path), source);
}

}  // namespace qm
