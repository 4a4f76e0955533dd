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

TEST(Cp932, LeadBytesAreExactlyTheTwoRanges) {
  const struct {
    unsigned char byte;
    bool lead;
  } cases[] = {
      {0x00, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true},
      {0x9F, true},  {0xA0, false}, {0xA1, false}, {0xDF, false}, {0xE0, true},
      {0xFC, true},  {0xFD, false}, {0xFF, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isLeadByte(c.byte), c.lead) << std::hex << int{c.byte};
  }
}

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

TEST(Cp932, SkipCharsStepsOverWholeCharacters) {
  const std::string strayLead = std::string("a") + '\x82';
  const struct {
    std::string text;
    std::size_t pos;
    std::size_t count;
    std::size_t expected;
  } cases[] = {
      {"[1].jpg", 0, 3, 3}, {"[表].jpg", 0, 3, 4}, {"[ソ十]x", 0, 3, 5},
      {"[1]", 0, 5, 3},     {"ab[", 2, 3, 3},      {strayLead, 1, 1, 2},
      {"ｱｲｳ", 0, 2, 2},     {"x", 1, 1, 1},        {"abc", 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(skipChars(c.text, c.pos, c.count), c.expected) << c.text;
  }
}

TEST(Cp932, ReplaceCharLeavesTrailBytesAlone) {
  EXPECT_EQ(replaceChar("C:\\表\\ソ", '\\', '/'), "C:/表/ソ");
  EXPECT_EQ(replaceChar("能\\", '\\', '/'), "能/");
  EXPECT_EQ(replaceChar("", '\\', '/'), "");
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

TEST(Cp932, FitInBufferFillsItAsTheAFunctionsDo) {
  // A title of 99 wide characters read into 100 bytes: whole characters while they fit, and
  // the terminating zero over the last byte when they filled the buffer.
  const std::string kana49 = [] {
    std::string text;
    for (int i = 0; i < 49; ++i) text += "ソ";
    return text;
  }();
  const struct {
    std::string text;
    std::size_t buffer;
    std::string expected;
  } cases[] = {
      {"Firefox", 100, "Firefox"},
      {std::string(99, 'a'), 100, std::string(99, 'a')},
      {std::string(120, 'a'), 100, std::string(99, 'a')},
      {kana49 + "a", 100, kana49 + "a"},
      {kana49 + "表", 100, kana49 + "\x95"},  // 100 bytes: the zero takes the trail byte
      {"a" + kana49 + "表", 100, "a" + kana49},
      {"Microsoft? Edge", 100, "Microsoft? Edge"},
      {"abc", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fitInBuffer(c.text, c.buffer), c.expected) << c.text;
  }
}

TEST(Cp932, ColumnsCountFullWidthCharactersTwice) {
  const struct {
    std::string text;
    TextEncoding encoding;
    std::size_t expected;
  } cases[] = {
      {"写真", TextEncoding::Cp932, 4},
      {"ﾌｧｲﾙ", TextEncoding::Cp932, 4},
      {"\xEC\x82\xAC\xEC\xA7\x84", TextEncoding::Utf8, 4},  // 사진
      {"caf\xC3\xA9", TextEncoding::Utf8, 4},               // café
      {"\xF0\x9F\x98\x80", TextEncoding::Utf8, 2},          // an emoji
  };
  for (const auto& c : cases) {
    EXPECT_EQ(columns(c.text, c.encoding), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace qm::text
