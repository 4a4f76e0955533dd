// Every road of a copy into a folder, over a folder kept in memory whose every step can fail the
// way the system's can: after each step the old file is whole at its name, in the Recycle Bin or
// beside under the name the failure reports, and in the end no work file of the copy is left.
#include "platform/WholeCopyRoad.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/Win32Codes.h"

namespace qm {
namespace {

using Folder = std::map<std::wstring, std::string>;

constexpr std::uint32_t kErrorSharingViolation = 32;
constexpr std::uint32_t kErrorUnableToMoveReplacement2 = 1177;

const std::wstring kSource = L"C:\\src\\photo.jpg";
const std::wstring kTarget = L"C:\\two\\photo.jpg";
const std::wstring kWork = L"C:\\two\\~qm~00000001.tmp";
const std::wstring kParked = L"C:\\two\\~qm~old~photo.jpg";

enum class Step {
  None,
  CopyBeside,
  Recycle,
  Place,
  ParkedName,
  Replace,
  ReplaceAfterMoving,
  MoveBack
};

class MemoryFolder : public whole_copy::Calls {
 public:
  Folder files{{kSource, "new"}};
  std::set<std::wstring> readOnly;
  Folder bin;
  bool hasBin = true;
  Step failing = Step::None;
  bool sourceReadOnly = false;
  bool flushed = false;
  std::wstring lostAt;  // a step after which the old file was nowhere

  std::optional<std::uint32_t> attributes(const std::wstring& path) override {
    if (!files.count(path)) return std::nullopt;
    return readOnly.count(path) ? file_replacement::kReadOnly : 0u;
  }
  bool sameFile(const std::wstring& first, const std::wstring& second) override {
    return first == second;
  }
  std::uint32_t copyBeside(const std::wstring& from, const std::wstring&, bool flush,
                           std::wstring& made, std::uint32_t& keep) override {
    if (failing == Step::CopyBeside) return kErrorDiskFull;
    files[kWork] = files.at(from);
    flushed = flush;
    made = kWork;
    keep = sourceReadOnly ? file_replacement::kReadOnly : 0;
    return after(L"copy");
  }
  bool hasRecycleBin(const std::wstring&) override { return hasBin; }
  std::uint32_t recycle(const std::wstring& path, BinTicket& ticket) override {
    if (failing == Step::Recycle) return kErrorAccessDenied;
    bin[path] = files.at(path);
    files.erase(path);
    ticket = 7;
    return after(L"recycle");
  }
  std::uint32_t place(const std::wstring& from, const std::wstring& to) override {
    if (failing == Step::Place) return kErrorFileExists;
    if (files.count(to)) return kErrorFileExists;
    files[to] = files.at(from);
    files.erase(from);
    return after(L"place");
  }
  void setAttributes(const std::wstring& path, std::uint32_t attributes) override {
    if (attributes & file_replacement::kReadOnly) readOnly.insert(path);
  }
  std::uint32_t freeNameBeside(const std::wstring&, std::wstring& name) override {
    if (failing == Step::ParkedName) return kErrorFilenameExcedRange;
    name = kParked;
    return 0;
  }
  std::uint32_t replace(const std::wstring& target, const std::wstring& replacement,
                        const std::wstring& backup) override {
    if (failing == Step::Replace) return kErrorSharingViolation;
    files[backup] = files.at(target);
    files.erase(target);
    after(L"replace, old moved out");
    if (failing == Step::ReplaceAfterMoving || failing == Step::MoveBack) {
      return kErrorUnableToMoveReplacement2;
    }
    files[target] = files.at(replacement);
    files.erase(replacement);
    return 0;
  }
  std::uint32_t move(const std::wstring& from, const std::wstring& to) override {
    if (failing == Step::MoveBack) return kErrorAccessDenied;
    files[to] = files.at(from);
    files.erase(from);
    return after(L"move");
  }
  bool exists(const std::wstring& path) override { return files.count(path) != 0; }
  void remove(const std::wstring& path) override {
    if (readOnly.count(path)) return;  // as DeleteFileW refuses it
    files.erase(path);
    after(L"remove");
  }

 private:
  std::uint32_t after(const std::wstring& step) {
    bool old = bin.count(kTarget) != 0;
    for (const auto& entry : files) old = old || entry.second == "old";
    // Where the drive keeps no bin the old file goes for good, but only once the new one is in.
    const bool replaced = !hasBin && files.count(kTarget) && files.at(kTarget) == "new";
    if (hadOld && !old && !replaced && lostAt.empty()) lostAt = step;
    return 0;
  }

 public:
  bool hadOld = false;
};

TEST(WholeCopyRoad, NoStepThatFailsCostsTheOldFileOrLeavesAWorkFile) {
  const struct {
    const char* what;
    bool oldThere;
    bool failIfExists;
    bool hasBin;
    Step failing;
    std::uint32_t error;
    OldFileAt oldAt;
    std::wstring oldPath;
    Folder after;  // beside the source
    Folder bin;
    bool replaced;
  } cases[] = {
      {"a new file",
       false,
       true,
       true,
       Step::None,
       0,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "new"}},
       {},
       false},
      {"a new file: the copy fails",
       false,
       true,
       true,
       Step::CopyBeside,
       kErrorDiskFull,
       OldFileAt::ItsName,
       L"",
       {},
       {},
       false},
      {"a new file: the name was taken meanwhile",
       false,
       true,
       true,
       Step::Place,
       kErrorFileExists,
       OldFileAt::ItsName,
       L"",
       {},
       {},
       false},
      {"a taken name with failIfExists",
       true,
       true,
       true,
       Step::None,
       kErrorFileExists,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"overwrite: the old file to the bin",
       true,
       false,
       true,
       Step::None,
       0,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "new"}},
       {{kTarget, "old"}},
       true},
      {"overwrite: the copy fails",
       true,
       false,
       true,
       Step::CopyBeside,
       kErrorDiskFull,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"overwrite: the bin refuses the old file",
       true,
       false,
       true,
       Step::Recycle,
       kErrorAccessDenied,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"overwrite: the new file cannot take the name",
       true,
       false,
       true,
       Step::Place,
       kErrorFileExists,
       OldFileAt::RecycleBin,
       L"",
       {},
       {{kTarget, "old"}},
       false},
      {"no bin: replaced",
       true,
       false,
       false,
       Step::None,
       0,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "new"}},
       {},
       true},
      {"no bin: no name to stand aside under",
       true,
       false,
       false,
       Step::ParkedName,
       kErrorFilenameExcedRange,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"no bin: the old file in use",
       true,
       false,
       false,
       Step::Replace,
       kErrorSharingViolation,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"no bin: the new file cannot follow, the old one goes back",
       true,
       false,
       false,
       Step::ReplaceAfterMoving,
       kErrorUnableToMoveReplacement2,
       OldFileAt::ItsName,
       L"",
       {{kTarget, "old"}},
       {},
       false},
      {"no bin: and cannot go back: the box names it",
       true,
       false,
       false,
       Step::MoveBack,
       kErrorUnableToMoveReplacement2,
       OldFileAt::Beside,
       kParked,
       {{kParked, "old"}},
       {},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFolder folder;
    if (c.oldThere) folder.files[kTarget] = "old";
    folder.hadOld = c.oldThere;
    folder.hasBin = c.hasBin;
    folder.failing = c.failing;

    const whole_copy::Outcome outcome =
        whole_copy::copyWhole(folder, kSource, kTarget, c.failIfExists);

    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(outcome.oldAt, c.oldAt);
    EXPECT_EQ(outcome.oldPath, c.oldPath);
    EXPECT_EQ(outcome.replaced, c.replaced);
    EXPECT_EQ(outcome.oldInBin, c.replaced && c.hasBin);
    EXPECT_EQ(outcome.oldTicket, c.replaced && c.hasBin ? 7u : 0u);
    Folder after = c.after;
    after[kSource] = "new";
    EXPECT_EQ(folder.files, after);
    EXPECT_EQ(folder.bin, c.bin);
    EXPECT_EQ(folder.lostAt, L"");
  }
}

TEST(WholeCopyRoad, RefusesWhatTheSystemsCopyRefusesAndFlushesOnlyOverAnOldFile) {
  const struct {
    const char* what;
    bool oldThere;
    bool oldReadOnly;
    std::wstring from;
    std::uint32_t error;
    bool flushed;
  } cases[] = {
      {"a read-only old file", true, true, kSource, kErrorAccessDenied, false},
      {"the file onto itself", true, false, kTarget, kErrorSharingViolation, false},
      {"over an old file", true, false, kSource, 0, true},
      {"a new file", false, false, kSource, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFolder folder;
    if (c.oldThere) folder.files[kTarget] = "old";
    if (c.oldReadOnly) folder.readOnly.insert(kTarget);
    EXPECT_EQ(whole_copy::copyWhole(folder, c.from, kTarget, false).error, c.error);
    EXPECT_EQ(folder.flushed, c.flushed);
    EXPECT_EQ(folder.files.count(kWork), 0u);
  }
}

TEST(WholeCopyRoad, AReadOnlySourceMakesTheCopyReadOnlyOnlyOnceItIsInPlace) {
  for (const bool oldThere : {false, true}) {
    SCOPED_TRACE(oldThere ? "over an old file" : "a new file");
    MemoryFolder folder;
    folder.sourceReadOnly = true;
    if (oldThere) folder.files[kTarget] = "old";
    // The name is taken in the blink after the copy: the work file must still go.
    folder.failing = Step::Place;
    whole_copy::copyWhole(folder, kSource, kTarget, false);
    EXPECT_EQ(folder.files.count(kWork), 0u);

    MemoryFolder works;
    works.sourceReadOnly = true;
    if (oldThere) works.files[kTarget] = "old";
    EXPECT_EQ(whole_copy::copyWhole(works, kSource, kTarget, false).error, 0u);
    EXPECT_EQ(works.readOnly, std::set<std::wstring>{kTarget});
  }
}

}  // namespace
}  // namespace qm
