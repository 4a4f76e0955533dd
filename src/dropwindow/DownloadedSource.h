// What a browser's drop brought, put somewhere as a download is: every copy that is made gets the
// mark of the web, with the address the drag named, so that the system warns before it is
// opened as it does for a download, and the virus scanner sees it.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/DropSource.h"
#include "platform/FileSystem.h"

namespace qm {

class DownloadedSource : public DropSource {
 public:
  DownloadedSource(FileSystem& files, DropSource& content, std::string sourceUrl)
      : files_(files), content_(content), sourceUrl_(std::move(sourceUrl)) {}
  DownloadedSource(FileSystem& files, std::unique_ptr<DropSource> content, std::string sourceUrl)
      : files_(files),
        owned_(std::move(content)),
        content_(*owned_),
        sourceUrl_(std::move(sourceUrl)) {}

  CopyOutcome putAt(const std::string& target, TextEncoding encoding, bool failIfExists) override {
    const CopyOutcome outcome = content_.putAt(target, encoding, failIfExists);
    if (outcome.error == 0) files_.markDownloaded({target, encoding}, sourceUrl_);
    return outcome;
  }
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override {
    return content_.read(maxBytes);
  }
  // A picture converted from a download is a download as well.
  std::unique_ptr<DropSource> alike(std::unique_ptr<DropSource> written) override {
    return std::make_unique<DownloadedSource>(files_, std::move(written), sourceUrl_);
  }

 private:
  FileSystem& files_;
  std::unique_ptr<DropSource> owned_;  // the content, when this source holds it
  DropSource& content_;
  std::string sourceUrl_;
};

}  // namespace qm
