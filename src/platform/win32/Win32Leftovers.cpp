#include "platform/win32/Win32Leftovers.h"

#include <windows.h>

#include "platform/Leftovers.h"
#include "platform/OwnFiles.h"
#include "platform/win32/Win32RecycleBin.h"

namespace qm {
namespace {

class SystemCalls : public leftovers::Calls {
 public:
  std::vector<std::wstring> ownNames(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    const std::wstring pattern = folder + L"\\" + own_files::kPrefix + L"*";
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      // The pattern also matches a short 8.3 name; only the name itself counts.
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          own_files::isOwn(found.cFileName)) {
        names.push_back(found.cFileName);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  bool exists(const std::wstring& path) override {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool place(const std::wstring& from, const std::wstring& to) override {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  void recycle(const std::wstring& path) override {
    BinTicket ignored = 0;
    Win32RecycleBin::shared().recycle(path, ignored);
  }
  void remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

}  // namespace

void sweepLeftoversIn(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty()) return;
  SystemCalls calls;
  leftovers::sweep(calls, folder);
}

}  // namespace qm
