#include "dropwindow/FileNames.h"

#include <gtest/gtest.h>

#include "dropwindow/SaveDialogFilter.h"
#include "text/Cp932.h"

namespace qm::file_names {
namespace {

// Code page 932 trail bytes that look like ASCII: "表", "ソ", "十" and "能" end in 0x5C "\",
// "ー" in 0x5B "[" and "ゾ" in 0x5D "]". A byte-wise search takes them for the real thing.
struct NameCase {
  const char* input;
  const char* expected;
};

TEST(FileNames, FileNameIsWhatFollowsTheLastSeparatorOrColon) {
  const NameCase cases[] = {
      {"C:\\dir\\photo.jpg", "photo.jpg"},
      {"C:\\ソフト\\表.jpg", "表.jpg"},
      {"C:\\十\\能", "能"},
      {"C:\\表", "表"},
      {"C:photo.jpg", "photo.jpg"},
      {"photo.jpg", "photo.jpg"},
      {"C:\\dir\\", ""},
      {"\\\\server\\share\\a:b", "b"},
  };
  for (const auto& c : cases) EXPECT_EQ(fileNameOf(c.input), c.expected) << c.input;
}

TEST(FileNames, BracketCleanUp) {
  const NameCase cases[] = {
      {"photo[1].jpg", "photo.jpg"},
      {"photo[12].jpg", "photo.jpg"},
      {"photo[123].jpg", "photo3.jpg"},
      {"a]b[1].jpg", "ab.jpg"},
      {"photo[1][2].jpg", "photo[1.jpg"},
      {"[1].jpg", ".jpg"},
      {"a]b.jpg", "a]b.jpg"},
      {"photo.jpg", "photo.jpg"},
      {"photo[", "photo"},
      {"photo[1", "photo"},
      {"", ""},
      // Double-byte characters are deleted whole and their trail bytes never match.
      {"写真[1].jpg", "写真.jpg"},
      {"[表1].jpg", ".jpg"},
      {"a[1]ー.jpg", "aー.jpg"},
      {"a[1]ゾ.jpg", "aゾ.jpg"},
      {"データー.jpg", "データー.jpg"},
      {"ゾ[2].png", "ゾ.png"},
      {"能[1].jpg", "能.jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(cleanBrackets(c.input), c.expected) << c.input;
}

// A browser's name may be one Windows cannot make a file of: a device name opens the device
// (under Wine "nul.jpg" is "saved" into the NUL device), and trailing dots and spaces vanish.
TEST(FileNames, NamesAreMadeSafeForWindows) {
  const NameCase cases[] = {
      {"nul.jpg", "_nul.jpg"},
      {"CON.png", "_CON.png"},
      {"con", "_con"},
      {"Aux.tar.gz", "_Aux.tar.gz"},
      {"PRN", "_PRN"},
      {"com1.gif", "_com1.gif"},
      {"COM9", "_COM9"},
      {"lpt5.bmp", "_lpt5.bmp"},
      {"LPT9.jpeg", "_LPT9.jpeg"},
      {"CONOUT$.txt", "_CONOUT$.txt"},
      {"nul .jpg", "_nul .jpg"},
      {"nul.", "_nul"},
      {"NUL...  ", "_NUL"},
      {"photo.jpg. . ", "photo.jpg"},
      {"photo.jpg", "photo.jpg"},
      {"nullify.jpg", "nullify.jpg"},
      {"com10.jpg", "com10.jpg"},
      {"com0.jpg", "com0.jpg"},
      {"lpt.jpg", "lpt.jpg"},
      {"acon.jpg", "acon.jpg"},
      {"my nul.jpg", "my nul.jpg"},
      {".jpg", ".jpg"},
      {"...", ""},
      {"", ""},
      {"表.", "表"},
      {"写真 ", "写真"},
  };
  for (const auto& c : cases) EXPECT_EQ(safeForWindows(c.input), c.expected) << c.input;
}

TEST(FileNames, NumberedNameGoesBeforeTheLastDotOfTheName) {
  const struct {
    const char* name;
    unsigned n;
    const char* expected;
  } cases[] = {
      {"photo.jpg", 0, "photo0.jpg"},
      {"photo.jpg", 999, "photo999.jpg"},
      {"archive.tar.gz", 0, "archive.tar0.gz"},
      {"README", 12, "README12"},
      {".jpg", 1, "1.jpg"},
      {"photo.", 7, "photo7."},
      {"表.jpg", 3, "表3.jpg"},
      {"ソ", 0, "ソ0"},
  };
  for (const auto& c : cases) EXPECT_EQ(numbered(c.name, c.n), c.expected) << c.name;
}

TEST(FileNames, TargetPathAlwaysAddsTheSeparatorAndNumbersOnlyTheName) {
  EXPECT_EQ(targetPath("C:\\", "a.jpg"), "C:\\\\a.jpg");
  EXPECT_EQ(targetPath("C:\\my.dir", numbered("README", 0)), "C:\\my.dir\\README0");
  EXPECT_EQ(targetPath("D:\\表", numbered("能.png", 5)), "D:\\表\\能5.png");
}

TEST(SaveDialogFilter, FilterIndexByExtensionWithCaseMattering) {
  const struct {
    const char* name;
    int index;
  } cases[] = {
      {"a.bmp", 1},     {"photo.jpg", 2}, {"photo.jpeg", 2}, {"a.jpe", 2},
      {"a.gif", 3},     {"a.tiff", 4},    {"a.tif", 4},      {"image.png", 5},
      {"photo.JPG", 6}, {"README", 6},    {"photo.", 6},     {"a.png.txt", 6},
      {"a.txt.png", 5}, {"a.jpgx", 6},    {"a.jp", 6},       {"表.png", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(filterIndexFor(c.name), c.index) << c.name;
}

}  // namespace
}  // namespace qm::file_names

namespace qm {
namespace {

// UTF-8 names (those code page 932 cannot hold) are cleaned and numbered by whole characters
// too; a byte count would cut a three- or four-byte character in two.
TEST(FileNames, Utf8NamesAreHandledByWholeCharacters) {
  using file_names::cleanBrackets;
  using file_names::leafOfVirtualName;
  using file_names::numbered;
  constexpr TextEncoding kUtf8 = TextEncoding::Utf8;
  // 한 = ED 95 9C, 😀 = F0 9F 98 80
  EXPECT_EQ(cleanBrackets("\xED\x95\x9C[1].png", kUtf8), "\xED\x95\x9C.png");
  EXPECT_EQ(cleanBrackets("a[\xED\x95\x9C\xED\x95\x9C].png", kUtf8), "a.png");
  EXPECT_EQ(cleanBrackets("a[\xF0\x9F\x98\x80x]b", kUtf8), "ab");
  EXPECT_EQ(cleanBrackets("a[\xF0\x9F\x98\x80", kUtf8), "a");
  EXPECT_EQ(numbered("\xED\x95\x9C.tar.gz", 4, kUtf8), "\xED\x95\x9C.tar4.gz");
  EXPECT_EQ(numbered("\xF0\x9F\x98\x80", 0, kUtf8),
            "\xF0\x9F\x98\x80"
            "0");
  EXPECT_EQ(filterIndexFor("\xED\x95\x9C.png", kUtf8), 5);
  EXPECT_EQ(leafOfVirtualName("..\\..\\a/b:c.jpg", kUtf8), "c.jpg");
  EXPECT_EQ(leafOfVirtualName("\xED\x95\x9C.jpg", kUtf8), "\xED\x95\x9C.jpg");
}

TEST(Utf8Text, Utf16LengthCountsSurrogatePairsTwice) {
  EXPECT_EQ(text::utf16Length(""), 0u);
  EXPECT_EQ(text::utf16Length("ab"), 2u);
  EXPECT_EQ(text::utf16Length("\xED\x95\x9C\xEA\xB5\xAD"), 2u);
  EXPECT_EQ(text::utf16Length("\xF0\x9F\x98\x80"
                              "a"),
            3u);
  EXPECT_EQ(text::utf16Length("\xC3\xA9"), 1u);
}

}  // namespace
}  // namespace qm
