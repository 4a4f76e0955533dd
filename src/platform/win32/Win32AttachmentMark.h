// The mark a download gets, made the way the system wants a program that saves what came from
// the Internet to make it: through the attachment services, which also hand the file to the
// virus scanner.
#pragma once

#include <string>

namespace qm {

// Marks `path` as downloaded from `sourceUrl` (empty when unknown). Does nothing where the
// system has no attachment services; a file the scanner or a policy refuses is its business.
void markAsDownloaded(const std::wstring& path, const std::wstring& sourceUrl);

}  // namespace qm
