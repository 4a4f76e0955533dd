#include "text/Cp932.h"

#include <gtest/gtest.h>

namespace qm::text {
namespace {

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail byte is a backslash. "ー" is 0x81 0x5B
// and "ポ" 0x83 0x7C; 0x5B is '['. These are where a byte-wise search goes wrong.
struct FindCase {
  const char* text;
  char ch;
  std::size_t expected;
};

TEST(Cp932, FindLastCharSkipsTrailBytes) {
  const FindCase cases[] = {
      {"C:\\表", '\\', 2},         // the trail byte of 表 is not a separator
      {"C:\\ソフト\\a", '\\', 9},  // the real last separator
      {"ソ", '\\', std::string::npos},
      {"ー.jpg", '[', std::string::npos},
      {"a[ー]", '[', 1},
      {"a]b[1].jpg", ']', 5},
      {"", '.', std::string::npos},
      {"no dot", '.', std::string::npos},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(findLastChar(c.text, c.ch), c.expected) << c.text;
  }
}

TEST(Cp932, FindLastCharOfTakesTheLatestOfSeveral) {
  EXPECT_EQ(findLastCharOf("C:\\dir/表", "\\/"), 6u);
  EXPECT_EQ(findLastCharOf("D:file", "\\:"), 1u);
  EXPECT_EQ(findLastCharOf("表ソ", "\\:"), std::string::npos);
}

TEST(Cp932, CutAtCharBoundaryNeverSplitsACharacter) {
  const struct {
    const char* text;
    std::size_t max;
    std::size_t expectedBytes;
  } cases[] = {
      {"abc", 5, 3}, {"abc", 2, 2},  {"あい", 4, 4}, {"あい", 3, 2},
      {"aあ", 2, 1}, {"ﾌｧｲﾙ", 3, 3}, {"", 3, 0},     {"abc", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cutAtCharBoundary(c.text, c.max).size(), c.expectedBytes) << c.text << " " << c.max;
  }
}

TEST(Cp932, CutKeepsAStrayLeadByteOnlyWhenItFits) {
  const std::string truncated = std::string("a") + '\x82';  // lead byte with no trail
  EXPECT_EQ(cutAtCharBoundary(truncated, 1), "a");
  EXPECT_LE(cutAtCharBoundary(truncated, 5).size(), truncated.size());
}

}  // namespace
}  // namespace qm::text
