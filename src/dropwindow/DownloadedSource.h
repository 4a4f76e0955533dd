// What a browser's drop brought, put somewhere as a download is: every copy that is made gets the
// mark of the web, with the address the drag named, so that the system warns before it is
// opened as it does for a download, and the virus scanner sees it.
#pragma once

#include <string>
#include <utility>

#include "platform/DropSource.h"
#include "platform/FileSystem.h"

namespace qm {

class DownloadedSource : public DropSource {
 public:
  DownloadedSource(FileSystem& files, DropSource& content, std::string sourceUrl)
      : files_(files), content_(content), sourceUrl_(std::move(sourceUrl)) {}

  CopyOutcome putAt(const std::string& target, TextEncoding encoding, bool failIfExists) override {
    const CopyOutcome outcome = content_.putAt(target, encoding, failIfExists);
    if (outcome.error == 0) files_.markDownloaded({target, encoding}, sourceUrl_);
    return outcome;
  }

 private:
  FileSystem& files_;
  DropSource& content_;
  std::string sourceUrl_;
};

}  // namespace qm
