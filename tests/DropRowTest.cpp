#include "dropwindow/DropRow.h"

#include <gtest/gtest.h>

#include <optional>

#include "FormTestSupport.h"
#include "dropwindow/SystemErrorText.h"

namespace qm {
namespace {

using test::folders;

constexpr std::int32_t kTop = 100;

TEST(DropRow, OnlyShownFolderPanelsTakeADrop) {
  const FolderList three = folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}});
  const FolderList gap = folders({{"a", "C:\\a"}, {"", ""}, {"c", "C:\\c"}});
  FolderList twelve;
  for (auto& slot : twelve) slot.path.assign("C:\\x");
  const std::optional<std::size_t> none;
  const struct {
    const char* what;
    std::int32_t y;
    std::int32_t height;
    const FolderList& slots;
    std::optional<std::size_t> slot;
  } cases[] = {
      {"top of the first panel", kTop, 17, three, 0},
      {"bottom of the third", kTop + 3 * 17 - 1, 17, three, 2},
      {"the mode label below the last panel", kTop + 3 * 17, 17, three, none},
      {"the tab strip", kTop + 3 * 17 + 16, 17, three, none},
      {"less than a panel above the window", kTop - 16, 17, three, 0},
      {"a whole panel above the window", kTop - 17, 17, three, none},
      {"far above the window", kTop - 1000, 17, three, none},
      {"a slot after a gap", kTop + 2 * 17, 17, gap, none},
      {"the slot before the gap", kTop + 5, 17, gap, 0},
      {"normal size, second panel", kTop + 25, 25, three, 1},
      {"normal size, end of the first", kTop + 24, 25, three, 0},
      {"large size, third panel", kTop + 2 * 33, 33, three, 2},
      {"large size, end of the second", kTop + 2 * 33 - 1, 33, three, 1},
      {"the twelfth panel", kTop + 11 * 33, 33, twelve, 11},
      {"below the twelfth", kTop + 12 * 33, 33, twelve, none},
      {"no panel height", kTop, 0, three, none},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dropSlot(c.y, kTop, c.height, c.slots), c.slot) << c.what;
  }
}

TEST(SystemErrorText, DropsTheLineBreakSpacesAndTheClosingDot) {
  const struct {
    const char* message;
    const char* expected;
  } cases[] = {
      {"system message 3.\r\n", "system message 3"},
      {"指定されたパスが見つかりません。\r\n", "指定されたパスが見つかりません。"},
      {"Access is denied.  \r\n", "Access is denied"},
      {"a.b..", "a.b"},
      {"表", "表"},
      {" .\r\n", "5"},
      {"", "5"},
  };
  for (const auto& c : cases) EXPECT_EQ(systemErrorText(c.message, 5), c.expected) << c.message;
}

}  // namespace
}  // namespace qm
