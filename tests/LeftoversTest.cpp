// The sweep at start over a folder kept in memory: the program's own work files go, an old file
// that stood aside comes back to its name (or, when the new file took the name, goes to the
// Recycle Bin), and nothing without the program's prefix is touched.
#include "platform/Leftovers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/OwnFiles.h"

namespace qm {
namespace {

using Folder = std::map<std::wstring, std::string>;

class MemoryFolder : public leftovers::Calls {
 public:
  Folder files;
  Folder bin;

  std::vector<std::wstring> ownNames(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    for (const auto& entry : files) {
      const std::wstring name = entry.first.substr(folder.size() + 1);
      if (own_files::isOwn(name)) names.push_back(name);
    }
    return names;
  }
  bool exists(const std::wstring& path) override { return files.count(path) != 0; }
  bool place(const std::wstring& from, const std::wstring& to) override {
    if (files.count(to)) return false;
    files[to] = files.at(from);
    files.erase(from);
    return true;
  }
  void recycle(const std::wstring& path) override {
    bin[path] = files.at(path);
    files.erase(path);
  }
  void remove(const std::wstring& path) override { files.erase(path); }
};

TEST(Leftovers, OwnWorkFilesGoAndAnOldPictureComesBack) {
  const struct {
    const char* what;
    Folder before;
    Folder after;
    Folder bin;
  } cases[] = {
      {"nothing of the program's",
       {{L"D:\\p\\photo.jpg", "a"}, {L"D:\\p\\~qm.jpg", "b"}},
       {{L"D:\\p\\photo.jpg", "a"}, {L"D:\\p\\~qm.jpg", "b"}},
       {}},
      {"a copy cut short beside its target",
       {{L"D:\\p\\photo.jpg", "a"}, {L"D:\\p\\~qm~0a1b2c3d.tmp", "half"}},
       {{L"D:\\p\\photo.jpg", "a"}},
       {}},
      {"an old picture that stood aside, its name free",
       {{L"D:\\p\\~qm~old~photo.jpg", "old"}, {L"D:\\p\\~qm~0a1b2c3d.tmp", "new"}},
       {{L"D:\\p\\photo.jpg", "old"}},
       {}},
      {"an old picture that stood aside, the new file in its place",
       {{L"D:\\p\\~qm~old~photo.jpg", "old"}, {L"D:\\p\\photo.jpg", "new"}},
       {{L"D:\\p\\photo.jpg", "new"}},
       {{L"D:\\p\\~qm~old~photo.jpg", "old"}}},
      {"the prefix alone is no name of the program's",
       {{L"D:\\p\\~qm~", "x"}},
       {{L"D:\\p\\~qm~", "x"}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFolder folder;
    folder.files = c.before;
    leftovers::sweep(folder, L"D:\\p");
    EXPECT_EQ(folder.files, c.after);
    EXPECT_EQ(folder.bin, c.bin);
  }
}

}  // namespace
}  // namespace qm
