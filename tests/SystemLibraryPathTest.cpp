#include "platform/SystemLibraryPath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qm {
namespace {

// Without the loader's search flag a system library is named by its full path in the system
// folder; a bare name would be looked for in the program's folder first.
TEST(SystemLibraryPath, FullPathInTheSystemFolderOrNone) {
  const std::wstring longFolder = L"C:\\" + std::wstring(240, L'w');
  const struct {
    std::wstring folder;
    std::wstring library;
    std::optional<std::wstring> path;
  } cases[] = {
      {L"C:\\Windows\\system32", L"comdlg32.dll", L"C:\\Windows\\system32\\comdlg32.dll"},
      {L"D:\\WINNT\\System32\\", L"winmm.dll", L"D:\\WINNT\\System32\\winmm.dll"},
      {L"", L"comdlg32.dll", std::nullopt},
      {L"C:\\Windows\\system32", L"", std::nullopt},
      {longFolder, L"0123456789.dll", longFolder + L"\\0123456789.dll"},
      {longFolder, L"0123456789012345.dll", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(systemLibraryPath(c.folder, c.library), c.path) << "case " << (&c - cases);
  }
}

}  // namespace
}  // namespace qm
