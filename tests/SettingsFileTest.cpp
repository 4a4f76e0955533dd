#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>

#include "SettingsTestImage.h"
#include "settings/NamesFile.h"

namespace qm::settings_file {
namespace {

using test::Bytes;
using test::nameAt;
using test::pathAt;
using test::putBytes;

const std::string kLeftovers("new\0old name", 12);

std::string slotName(int list, int slot) {
  return "L" + std::to_string(list) + "S" + std::to_string(slot);
}
std::string slotPath(int list, int slot) {
  return "C:\\list" + std::to_string(list) + "\\slot" + std::to_string(slot);
}

// Every slot differs, so one taken from the wrong place shows. A name and a path fill their
// fields without a zero, as does the sound at the very end of the file, so that a field read or
// written a byte short shows too; one name keeps older bytes after its zero.
ConfirmedFolderLists labelledLists() {
  ConfirmedFolderLists lists;
  for (int list = 0; list < 5; ++list) {
    for (int slot = 0; slot < 12; ++slot) {
      lists.lists[list][slot].name.assign(slotName(list, slot));
      lists.lists[list][slot].path.assign(slotPath(list, slot));
    }
  }
  lists.lists[1][4].name.bytes().fill('n');
  lists.lists[3][11].path.bytes().fill('p');
  std::copy(kLeftovers.begin(), kLeftovers.end(), lists.lists[2][0].name.bytes().begin());
  return lists;
}

// The same lists with save mode 2, size 2, flags 0x30, last index 4, laid out by hand.
Bytes labelledImage() {
  Bytes image = test::imageWithHeader(2, 2, 0x30, 4);
  for (int list = 0; list < 5; ++list) {
    for (int slot = 0; slot < 12; ++slot) {
      putBytes(image, nameAt(list, slot), slotName(list, slot));
      putBytes(image, pathAt(list, slot), slotPath(list, slot));
    }
  }
  putBytes(image, nameAt(1, 4), std::string(32, 'n'));
  putBytes(image, pathAt(3, 11), std::string(260, 'p'));
  putBytes(image, nameAt(2, 0), kLeftovers);
  putBytes(image, test::kSoundAt, std::string(260, 's'));
  return image;
}

auto fields(const Settings& s) {
  return std::tie(s.saveMode, s.dropWindowSize, s.switchFlags, s.lastListIndex, s.saveFormat,
                  s.reserved, s.slots, s.soundPath);
}

// Settings whose every byte differs from what a file gives, so any byte left unread shows.
Settings stale() {
  Settings settings;
  settings.saveMode = settings.dropWindowSize = -1;
  settings.switchFlags = 0x0F;
  settings.lastListIndex = -1;
  settings.saveFormat = 0xEE;
  settings.reserved.fill(0xEE);
  for (auto& slot : settings.slots) {
    slot.name.bytes().fill('?');
    slot.path.bytes().fill('?');
  }
  settings.soundPath.bytes().fill('?');
  return settings;
}

Bytes build(const Settings& settings, const ConfirmedFolderLists& lists) {
  const Image image = buildImage(settings, lists);
  return Bytes(image.begin(), image.end());
}

TEST(SettingsFileBuild, HeaderIsLittleEndianThenTheSaveFormatAndNineZeroBytes) {
  const struct {
    int mode, size, flags, last, format;
    Bytes expected;
  } cases[] = {
      {1, 0, 0x00, 0, 0, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {2, 1, 0x20, 2, 0, {0x02, 0x00, 0x01, 0x00, 0x20, 0x02, 0x00}},
      {0x0102, -2, 0xFF, -1, 0, {0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
      {0, 2, 0x30, 4, 1, {0x00, 0x00, 0x02, 0x00, 0x30, 0x04, 0x01}},
      {1, 0, 0x00, 0, 2, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}},
  };
  for (const auto& c : cases) {
    Settings settings;
    std::tie(settings.saveMode, settings.dropWindowSize, settings.switchFlags,
             settings.lastListIndex) = std::tie(c.mode, c.size, c.flags, c.last);
    settings.saveFormat = static_cast<std::uint8_t>(c.format);
    settings.reserved.fill(0xEE);  // read from a file, never written back
    Bytes expected = c.expected;
    expected.resize(16, 0);
    const Bytes image = build(settings, ConfirmedFolderLists{});
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 16), expected) << c.mode;
  }
}

TEST(SettingsFileBuild, EveryFieldLandsAtItsOffset) {
  Settings settings;
  settings.saveMode = settings.dropWindowSize = 2;
  settings.switchFlags = 0x30;
  settings.lastListIndex = 4;
  settings.soundPath.bytes().fill('s');
  settings.slots[0].name.assign("the drop window's copy is not saved");
  EXPECT_EQ(build(settings, labelledLists()), labelledImage());
}

TEST(SettingsFileBuild, ADisplayNameKeeps31BytesAndItsZero) {
  const struct {
    std::string text, stored;
  } cases[] = {
      {std::string(31, 'n'), std::string(31, 'n')},
      {"aファイル置き場ですよ１２３４５", "aファイル置き場ですよ１２３４５"},
      {std::string(32, 'n'), std::string(31, 'n')},
      {"ああああああああああああああああ", "あああああああああああああああ"},  // 16th does not fit
  };
  ASSERT_EQ(cases[1].stored.size(), 31u);
  for (const auto& c : cases) {
    ConfirmedFolderLists lists;
    lists.lists[0][0].name.assign(c.text);
    Bytes expected(32, 0);
    putBytes(expected, 0, c.stored);
    const Bytes image = build(Settings{}, lists);
    EXPECT_EQ(Bytes(image.begin() + 16, image.begin() + 48), expected) << c.text;
  }
}

TEST(SettingsFileRead, TakesEveryFieldFromItsOffset) {
  Bytes file = labelledImage();
  putBytes(file, 6, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
  const ConfirmedFolderLists expected = labelledLists();
  // A current list outside the file is clamped into it.
  for (int list : {INT_MIN, -1, 0, 1, 2, 3, 4, 5, INT_MAX}) {
    Settings settings = stale();
    readSettings(file, list, settings);
    EXPECT_EQ(std::tie(settings.saveMode, settings.dropWindowSize), std::tuple(2, 2));
    EXPECT_EQ(std::tie(settings.switchFlags, settings.lastListIndex), std::tuple(0x30, 4));
    EXPECT_EQ(settings.saveFormat, kSavePng);
    EXPECT_EQ(settings.reserved, (std::array<std::uint8_t, 9>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(settings.slots == expected.lists[std::clamp(list, 0, 4)]) << "list " << list;
    EXPECT_EQ(settings.soundPath.str(), std::string(260, 's'));
  }
  ConfirmedFolderLists lists;
  for (auto& list : lists.lists) list = stale().slots;
  readFolderLists(file, lists);
  EXPECT_TRUE(lists.lists == expected.lists);
}

TEST(SettingsFileRead, OutOfRangeHeaderValuesAreMended) {
  const struct {
    int mode, size, last, format, expectedMode, expectedSize, expectedLast, expectedFormat;
  } cases[] = {{0, 0, 0, 0, 0, 0, 0, 0},
               {1, 1, 2, 1, 1, 1, 2, 1},
               {2, 2, 4, 2, 2, 2, 4, 2},
               {3, 3, 5, 3, 1, 0, 4, 0},
               {-1, -1, -1, 0xFF, 1, 0, 0, 0},
               {0x7FFF, 0x0100, 127, 0x80, 1, 0, 4, 0},
               {-32768, -32768, -128, 0x7F, 1, 0, 0, 0}};
  for (const auto& c : cases) {
    Settings settings;
    Bytes file = test::imageWithHeader(c.mode, c.size, 0xCF, c.last);
    file[6] = static_cast<std::uint8_t>(c.format);
    readSettings(file, 0, settings);
    EXPECT_EQ(settings.saveMode, c.expectedMode) << c.mode;
    EXPECT_EQ(settings.dropWindowSize, c.expectedSize) << c.size;
    EXPECT_EQ(settings.lastListIndex, c.expectedLast) << c.last;
    EXPECT_EQ(settings.saveFormat, c.expectedFormat) << c.format;
    EXPECT_EQ(settings.switchFlags, 0xCF);  // every byte value is a valid set of flags
  }
}

// A file that ends early fills each field only as far as it reaches and the rest keeps its old
// value, so reading it over settings read from `before` equals reading one whole image: the
// file's bytes up to its end, then those of `before`. Bytes past the image are ignored.
TEST(SettingsFileRead, ShortAndOverLongFilesAreReadAsFarAsTheyGo) {
  Bytes before = test::scrambledImage(7);
  putBytes(before, 0, std::string("\0\0\2\0\x0F\1", 6));
  std::fill_n(before.begin() + 6, 10, 0xEE);
  Bytes file = test::scrambledImage(8);
  putBytes(file, 6, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
  file.resize(test::kImageBytes + 300, 0x55);

  for (std::size_t length :
       {0, 1, 3, 5, 10, 20, 53, 3520, 7034, 17536, 17543, 17795, 17796, 18096}) {
    const Bytes shortFile(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    Bytes whole = before;
    std::copy_n(file.begin(), std::min(length, test::kImageBytes), whole.begin());
    for (int list = 0; list < 5; ++list) {
      SCOPED_TRACE(testing::Message() << "length " << length << ", list " << list);
      Settings got, expected;
      readSettings(before, list, got);
      readSettings(shortFile, list, got);
      readSettings(whole, list, expected);
      EXPECT_TRUE(fields(got) == fields(expected));
    }
    ConfirmedFolderLists lists, expected;
    readFolderLists(before, lists);
    readFolderLists(shortFile, lists);
    readFolderLists(whole, expected);
    EXPECT_TRUE(lists.lists == expected.lists) << "length " << length;
  }
}

TEST(SettingsFileRoundTrip, AValidFileIsWrittenBackByteForByte) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    for (int list = 0; list < 5; ++list) {
      const Bytes file = test::scrambledImage(seed);
      Settings settings;
      ConfirmedFolderLists lists;
      readSettings(file, list, settings);
      readFolderLists(file, lists);
      EXPECT_EQ(build(settings, lists), file) << seed << " " << list;
    }
  }
}

// "사진" and "C:\사진" in UTF-8, and what code page 932 makes of them.
const std::string kPhotos = "\xEC\x82\xAC\xEC\xA7\x84";
const std::string kPhotosPath = "C:\\" + kPhotos;
const std::string kSound = "C:\\Ren\xC3\xA9\\a.wav";

// List 2 slot 3 and the sound spelled in Unicode, slot 1 of list 1 plainly in code page 932.
void spellSome(ConfirmedFolderLists& lists, Settings& settings) {
  FolderSlot& plain = lists.lists[0][0];
  spell(plain.name, plain.nameSpelling, "表ソ", "表ソ");
  spell(plain.path, plain.pathSpelling, "C:\\表", "C:\\表");
  FolderSlot& spelled = lists.lists[1][2];
  spell(spelled.name, spelled.nameSpelling, {kPhotos, TextEncoding::Utf8}, "??");
  spell(spelled.path, spelled.pathSpelling, {kPhotosPath, TextEncoding::Utf8}, "C:\\??");
  spell(settings.soundPath, settings.soundSpelling, {kSound, TextEncoding::Utf8},
        "C:\\Rene\\a.wav");
}

TEST(NamesFile, WhatTheSettingsFileCannotHoldComesBackFromItsLines) {
  ConfirmedFolderLists lists;
  Settings settings;
  EXPECT_EQ(names_file::format(lists, settings), "") << "no file while every name fits";
  spellSome(lists, settings);
  const std::string file = names_file::format(lists, settings);
  EXPECT_EQ(file,
            "Quillmarten names 1\n"
            "2\t3\t3f3f\t433a5c3f3f\t" +
                kPhotos + "\tC:\\\\" + kPhotos +
                "\n"
                "sound\t\t\t433a5c52656e655c612e776176\t\tC:\\\\Ren\xC3\xA9\\\\a.wav\n");

  // The settings file as written, read back, and the names applied to it.
  const Image image = buildImage(settings, lists);
  ConfirmedFolderLists readLists;
  Settings readSettingsOfList2;
  readFolderLists(image, readLists);
  readSettings(image, 1, readSettingsOfList2);
  const auto entries = names_file::parse(file);
  ASSERT_TRUE(entries);
  names_file::apply(*entries, readLists);
  names_file::apply(*entries, 1, readSettingsOfList2);
  EXPECT_TRUE(readLists.lists == lists.lists);
  EXPECT_EQ(readSettingsOfList2.slots, lists.lists[1]);
  EXPECT_EQ(readSettingsOfList2.shownSoundPath().bytes, kSound);
  EXPECT_EQ(readSettingsOfList2.shownSoundPath().encoding, TextEncoding::Utf8);
}

TEST(NamesFile, ASpellingCountsOnlyForTheBytesItWasWrittenFor) {
  const std::string header = "Quillmarten names 1\n";
  // In the file "\" is written "\\".
  const std::string line = "1\t1\t3f3f\t433a5c3f3f\t" + kPhotos + "\tC:\\\\" + kPhotos + "\n";
  const EncodedText spelledName{kPhotos, TextEncoding::Utf8};
  const struct {
    const char* what;
    std::string file;
    std::string name, path;  // what the settings file holds in list 1, slot 1
    EncodedText shownName;
  } cases[] = {
      {"the bytes it was written for", header + line, "??", "C:\\??", spelledName},
      {"written with CR LF", "Quillmarten names 1\r\n1\t1\t3f3f\t433a5c3f3f\t" + kPhotos + "\t\r\n",
       "??", "C:\\??", spelledName},
      {"the name changed since", header + line, "?!", "C:\\??", "?!"},
      {"the path changed since", header + line, "??", "C:\\x", "??"},
      {"no header: a file of another program", line, "??", "C:\\??", "??"},
      {"a later version's header", "Quillmarten names 2\n" + line, "??", "C:\\??", "??"},
      {"a line cut short", header + "1\t1\t3f3f\n", "??", "C:\\??", "??"},
      {"slot 13", header + "1\t13\t3f3f\t433a5c3f3f\tx\tx\n", "??", "C:\\??", "??"},
      {"list 0", header + "0\t1\t3f3f\t433a5c3f3f\tx\tx\n", "??", "C:\\??", "??"},
      {"odd hex", header + "1\t1\t3f3\t433a5c3f3f\tx\tx\n", "??", "C:\\??", "??"},
      {"unknown escape", header + "1\t1\t3f3f\t433a5c3f3f\t\\q\tx\n", "??", "C:\\??", "??"},
      {"a damaged line spoils the file", header + line + "x\n", "??", "C:\\??", "??"},
      {"empty", "", "??", "C:\\??", "??"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ConfirmedFolderLists lists;
    lists.lists[0][0].name.assign(c.name);
    lists.lists[0][0].path.assign(c.path);
    names_file::apply(names_file::parse(c.file).value_or(std::vector<names_file::Entry>()), lists);
    const EncodedText shown = lists.lists[0][0].shownName();
    EXPECT_EQ(shown.bytes, c.shownName.bytes);
    EXPECT_EQ(shown.encoding, c.shownName.encoding);
  }
}

}  // namespace
}  // namespace qm::settings_file
