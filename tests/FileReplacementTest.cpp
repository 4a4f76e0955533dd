// The last step of an overwrite, over a folder kept in memory whose ReplaceFileW fails the ways
// the system's can: the new file takes the old one's place, or the old one is there, whole, in
// the end, and no second name of it is left behind unless it is the only copy.
#include "platform/FileReplacement.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/Win32Codes.h"

namespace qm {
namespace {

using file_replacement::Calls;
using Folder = std::map<std::wstring, std::string>;

constexpr std::uint32_t kErrorSharingViolation = 32;
constexpr std::uint32_t kErrorUnableToMoveReplacement = 1176;
constexpr std::uint32_t kErrorUnableToMoveReplacement2 = 1177;

const std::wstring kTarget = L"C:\\two\\photo.jpg";
const std::wstring kNew = L"C:\\two\\qmc1.tmp";
const std::wstring kBackup = L"C:\\two\\qmb2.tmp";

// How the system's replace goes.
enum class Replace {
  Works,
  FailsFirst,       // nothing moved: the old file in use, no right to delete it
  FailsAfterMoving  // the old file moved to the backup name, the new one could not follow
};

class FakeFolder : public Calls {
 public:
  Folder files{{kTarget, "old"}, {kNew, "new"}};
  std::uint32_t nameError = 0;
  Replace replaceGoes = Replace::Works;
  std::uint32_t replaceError = 0;
  bool moveFails = false;
  int replaces = 0;

  std::uint32_t freeNameBeside(const std::wstring&, std::wstring& name) override {
    if (nameError) return nameError;
    name = kBackup;
    return 0;
  }
  std::uint32_t replace(const std::wstring& target, const std::wstring& replacement,
                        const std::wstring& backup) override {
    ++replaces;
    if (replaceGoes == Replace::FailsFirst) return replaceError;
    files[backup] = files.at(target);
    files.erase(target);
    if (replaceGoes == Replace::FailsAfterMoving) return replaceError;
    files[target] = files.at(replacement);
    files.erase(replacement);
    return 0;
  }
  std::uint32_t move(const std::wstring& from, const std::wstring& to) override {
    if (moveFails || !files.count(from) || files.count(to)) return kErrorAccessDenied;
    files[to] = files.at(from);
    files.erase(from);
    return 0;
  }
  bool exists(const std::wstring& path) override { return files.count(path) != 0; }
  void remove(const std::wstring& path) override { files.erase(path); }
};

TEST(FileReplacement, TheNewFileTakesThePlaceOrTheOldOneStaysWhole) {
  const struct {
    const char* what;
    std::uint32_t nameError;
    Replace replaceGoes;
    std::uint32_t replaceError;
    bool moveFails;
    std::uint32_t result;
    Folder after;  // the new file beside is for the caller to remove
    std::wstring oldLeftAt = L"";
  } cases[] = {
      {"it works", 0, Replace::Works, 0, false, 0, {{kTarget, "new"}}},
      {"no name for the old file beside it",
       kErrorAccessDenied,
       Replace::Works,
       0,
       false,
       kErrorAccessDenied,
       {{kTarget, "old"}, {kNew, "new"}}},
      {"the old file is in use",
       0,
       Replace::FailsFirst,
       kErrorSharingViolation,
       false,
       kErrorSharingViolation,
       {{kTarget, "old"}, {kNew, "new"}}},
      {"the new file cannot be renamed",
       0,
       Replace::FailsFirst,
       kErrorUnableToMoveReplacement,
       false,
       kErrorUnableToMoveReplacement,
       {{kTarget, "old"}, {kNew, "new"}}},
      {"the new file cannot follow the old one out: the old one goes back",
       0,
       Replace::FailsAfterMoving,
       kErrorUnableToMoveReplacement2,
       false,
       kErrorUnableToMoveReplacement2,
       {{kTarget, "old"}, {kNew, "new"}}},
      {"and cannot go back: it stays under its other name",
       0,
       Replace::FailsAfterMoving,
       kErrorUnableToMoveReplacement2,
       true,
       kErrorUnableToMoveReplacement2,
       {{kBackup, "old"}, {kNew, "new"}},
       kBackup},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolder folder;
    folder.nameError = c.nameError;
    folder.replaceGoes = c.replaceGoes;
    folder.replaceError = c.replaceError;
    folder.moveFails = c.moveFails;

    std::wstring oldLeftAt = L"not told";
    EXPECT_EQ(file_replacement::replaceKeepingOld(folder, kNew, kTarget, oldLeftAt), c.result);
    EXPECT_EQ(folder.files, c.after);
    EXPECT_EQ(oldLeftAt, c.oldLeftAt);
    EXPECT_EQ(folder.replaces, c.nameError ? 0 : 1);
  }
}

}  // namespace
}  // namespace qm
