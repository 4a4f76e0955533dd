#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "SettingsTestImage.h"

namespace qm::settings_file {
namespace {

using test::Bytes;
using test::nameAt;
using test::pathAt;
using test::putBytes;

template <std::size_t N>
std::string raw(const FixedText<N>& field) {
  return std::string(field.bytes().data(), N);
}

Bytes toBytes(const Image& image) {
  return Bytes(image.begin(), image.end());
}

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// ---- building the image ----

TEST(SettingsFileBuild, HeaderIsLittleEndianFieldByFieldWithZeroReserve) {
  const struct {
    std::int16_t mode, size;
    std::uint8_t flags;
    std::int8_t last;
    std::array<std::uint8_t, 6> expected;
  } cases[] = {
      {1, 0, 0x00, 0, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {2, 1, 0x20, 2, {0x02, 0x00, 0x01, 0x00, 0x20, 0x02}},
      {0, 2, 0xCF, 4, {0x00, 0x00, 0x02, 0x00, 0xCF, 0x04}},
      {0x0102, -2, 0xFF, -1, {0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.saveMode = c.mode;
    settings.dropWindowSize = c.size;
    settings.switchFlags = c.flags;
    settings.lastListIndex = c.last;
    settings.reserved.fill(0xEE);  // read from a file, never written back
    const Image image = buildImage(settings, ConfirmedFolderLists{});
    Bytes expected(c.expected.begin(), c.expected.end());
    expected.resize(16, 0);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 16), expected) << c.mode << " " << c.size;
  }
}

TEST(SettingsFileBuild, EveryFieldLandsAtItsOffset) {
  Settings settings;
  settings.saveMode = 2;
  settings.dropWindowSize = 2;
  settings.switchFlags = 0x30;
  settings.lastListIndex = 4;
  settings.soundPath.assign("C:\\音\\ding.wav");
  // The drop window's own slots are not what a save writes.
  settings.slots[0].name.assign("not written");
  ConfirmedFolderLists lists;
  for (int list = 0; list < 5; ++list) {
    for (int slot = 0; slot < 12; ++slot) {
      lists.lists[list][slot].name.assign(test::slotName(list, slot));
      lists.lists[list][slot].path.assign(test::slotPath(list, slot));
    }
  }
  EXPECT_EQ(toBytes(buildImage(settings, lists)), test::labelledImage("C:\\音\\ding.wav"));
}

TEST(SettingsFileBuild, SpotChecksOfTheLayout) {
  ConfirmedFolderLists lists;
  lists.lists[2][0].name.assign("three");
  lists.lists[4][11].path.assign("last");
  Settings settings;
  settings.soundPath.assign("snd");
  const Image image = buildImage(settings, lists);
  EXPECT_EQ(image.size(), 17796u);
  EXPECT_EQ(std::string(image.begin() + 7024, image.begin() + 7030), std::string("three\0", 6));
  EXPECT_EQ(std::string(image.begin() + 17536 - 260, image.begin() + 17536 - 255),
            "last" + std::string(1, '\0'));
  EXPECT_EQ(std::string(image.begin() + 17536, image.begin() + 17540), std::string("snd\0", 4));
}

TEST(SettingsFileBuild, CopiesWholeTextFieldsLeftoversIncluded) {
  ConfirmedFolderLists lists;
  const std::string name("ab\0leftover", 11);
  const std::string path("C:\\x\0C:\\older\\path", 18);
  std::copy(name.begin(), name.end(), lists.lists[1][3].name.bytes().begin());
  std::copy(path.begin(), path.end(), lists.lists[1][3].path.bytes().begin());
  Settings settings;
  const std::string sound("a.wav\0b.wav", 11);
  std::copy(sound.begin(), sound.end(), settings.soundPath.bytes().begin());

  const Bytes image = toBytes(buildImage(settings, lists));
  Bytes expected = test::imageWithHeader(0, 0, 0, 0);
  putBytes(expected, nameAt(1, 3), name);
  putBytes(expected, pathAt(1, 3), path);
  putBytes(expected, test::kSoundAt, sound);
  EXPECT_EQ(image, expected);
}

TEST(SettingsFileBuild, DisplayNameOf31BytesFillsTheFieldWithItsZero) {
  const struct {
    std::string text;
    std::string stored;  // what the 32-byte field keeps
  } cases[] = {
      {std::string(31, 'n'), std::string(31, 'n')},
      {"aファイル置き場ですよ１２３４５", "aファイル置き場ですよ１２３４５"},
      {std::string(32, 'n'), std::string(31, 'n')},
      {repeat("あ", 16), repeat("あ", 15)},  // the 16th character does not fit
  };
  for (const auto& c : cases) {
    ConfirmedFolderLists lists;
    lists.lists[0][0].name.assign(c.text);
    lists.lists[0][0].path.assign("C:\\p");
    const Bytes image = toBytes(buildImage(Settings{}, lists));
    Bytes expectedField(32, 0);
    putBytes(expectedField, 0, c.stored);
    EXPECT_EQ(Bytes(image.begin() + 16, image.begin() + 48), expectedField) << c.text;

    ConfirmedFolderLists back;
    readFolderLists(image, back);
    EXPECT_EQ(back.lists[0][0].name.str(), c.stored);
    EXPECT_EQ(back.lists[0][0].path.str(), "C:\\p");
  }
  ASSERT_EQ(cases[1].stored.size(), 31u);
}

// ---- reading ----

TEST(SettingsFileRead, TakesTheHeaderTheCurrentListAndTheSound) {
  Bytes file = test::labelledImage("C:\\snd.wav");
  putBytes(file, 6, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
  for (int list = 0; list < 5; ++list) {
    Settings settings;
    readSettings(file, list, settings);
    EXPECT_EQ(settings.saveMode, 2);
    EXPECT_EQ(settings.dropWindowSize, 2);
    EXPECT_EQ(settings.switchFlags, 0x30);
    EXPECT_EQ(settings.lastListIndex, 4);
    EXPECT_EQ(settings.reserved, (std::array<std::uint8_t, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (int slot = 0; slot < 12; ++slot) {
      EXPECT_EQ(settings.slots[slot].name.str(), test::slotName(list, slot));
      EXPECT_EQ(settings.slots[slot].path.str(), test::slotPath(list, slot));
    }
    EXPECT_EQ(settings.soundPath.str(), "C:\\snd.wav");
  }
}

TEST(SettingsFileRead, ListThreeComesFromOffset7024) {
  Bytes file = test::imageWithHeader(0, 0, 0, 4);
  putBytes(file, 7024, "third");
  putBytes(file, 7024 + 32, "D:\\third");
  Settings settings;
  readSettings(file, 2, settings);
  EXPECT_EQ(settings.slots[0].name.str(), "third");
  EXPECT_EQ(settings.slots[0].path.str(), "D:\\third");
}

TEST(SettingsFileRead, TextEndsAtTheFirstZeroAndLeftoversStayInTheField) {
  Bytes file = test::imageWithHeader(1, 0, 0, 0);
  putBytes(file, nameAt(0, 0), std::string("new\0old name", 12));
  putBytes(file, pathAt(0, 0), std::string("C:\\\0\\x", 6));
  Settings settings;
  readSettings(file, 0, settings);
  EXPECT_EQ(settings.slots[0].name.str(), "new");
  EXPECT_EQ(raw(settings.slots[0].name).substr(0, 12), std::string("new\0old name", 12));
  EXPECT_EQ(settings.slots[0].path.str(), "C:\\");
}

TEST(SettingsFileRead, AFieldWithoutZeroYieldsAllItsBytes) {
  Bytes file = test::imageWithHeader(1, 0, 0, 0);
  putBytes(file, nameAt(0, 0), std::string(32, 'x'));
  putBytes(file, pathAt(0, 0), "C:\\");
  Settings settings;
  readSettings(file, 0, settings);
  EXPECT_EQ(settings.slots[0].name.str(), std::string(32, 'x'));
  EXPECT_EQ(settings.slots[0].path.str(), "C:\\");
}

TEST(SettingsFileRead, OutOfRangeHeaderValuesAreMended) {
  const struct {
    std::int16_t mode, size;
    std::int8_t last;
    std::int16_t expectedMode, expectedSize;
    std::int8_t expectedLast;
  } cases[] = {
      // valid values load as stored
      {0, 0, 0, 0, 0, 0},
      {1, 1, 2, 1, 1, 2},
      {2, 2, 4, 2, 2, 4},
      // out of range
      {3, 3, 5, 1, 0, 4},
      {-1, -1, -1, 1, 0, 0},
      {0x7FFF, 0x0100, 127, 1, 0, 4},
      {-32768, -32768, -128, 1, 0, 0},
  };
  for (const auto& c : cases) {
    Settings settings;
    readSettings(test::imageWithHeader(c.mode, c.size, 0xCF, c.last), 0, settings);
    EXPECT_EQ(settings.saveMode, c.expectedMode) << c.mode;
    EXPECT_EQ(settings.dropWindowSize, c.expectedSize) << c.size;
    EXPECT_EQ(settings.lastListIndex, c.expectedLast) << int{c.last};
    EXPECT_EQ(settings.switchFlags, 0xCF);  // every byte value is a valid set of flags
  }
}

TEST(SettingsFileRead, CurrentListOutsideTheFileIsClamped) {
  const Bytes file = test::labelledImage("");
  const struct {
    int currentList;
    int listRead;
  } cases[] = {{-1, 0}, {INT_MIN, 0}, {5, 4}, {100, 4}, {INT_MAX, 4}};
  for (const auto& c : cases) {
    Settings settings;
    readSettings(file, c.currentList, settings);
    EXPECT_EQ(settings.slots[11].path.str(), test::slotPath(c.listRead, 11)) << c.currentList;
  }
}

// A short file fills each field as far as it reaches; the rest of every field keeps what the
// settings held before. `expectedField` is that rule applied byte by byte.
template <std::size_t N>
std::string expectedField(const Bytes& file, std::size_t length, std::size_t offset,
                          const FixedText<N>& before) {
  std::string bytes = raw(before);
  for (std::size_t i = 0; i < N && offset + i < length; ++i)
    bytes[i] = static_cast<char>(file[offset + i]);
  return bytes;
}

struct ShortCase {
  std::size_t length;
  int list;
};

const ShortCase kShortCases[] = {
    {0, 0},     {1, 0},           {3, 1},
    {5, 0},     {10, 0},          {16, 0},
    {20, 0},    {16 + 32 + 5, 0}, {16 + 292 * 3 + 100, 0},
    {3520, 0},  {3520, 1},        {7024 + 10, 2},
    {17536, 4}, {17536 + 7, 3},   {17795, 4},
    {17796, 2}, {17796 + 300, 1},
};

TEST(SettingsFileRead, ShortFilesAreReadAsFarAsTheyGo) {
  const Bytes full = [] {
    Bytes image = test::scrambledImage(7);
    for (std::uint8_t i = 0; i < 10; ++i) image[6 + i] = i + 1;  // reserved bytes read too
    image.resize(17796 + 300, 0x55);  // what an over-long file carries beyond the image
    return image;
  }();
  Settings before;
  before.saveMode = 0;
  before.dropWindowSize = 2;
  before.switchFlags = 0x0F;
  before.lastListIndex = 1;
  before.reserved.fill(0xEE);
  for (auto& slot : before.slots) {
    slot.name.bytes().fill('p');
    slot.path.bytes().fill('q');
  }
  before.soundPath.bytes().fill('s');

  for (const auto& c : kShortCases) {
    SCOPED_TRACE(testing::Message() << "length " << c.length << ", list " << c.list);
    const Bytes file(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.length));
    Settings settings = before;
    readSettings(file, c.list, settings);

    // The header: the previous values' bytes, overlaid by the file's.
    Bytes header = test::imageWithHeader(before.saveMode, before.dropWindowSize, before.switchFlags,
                                         before.lastListIndex);
    header.resize(16);
    std::fill(header.begin() + 6, header.end(), 0xEE);
    for (std::size_t i = 0; i < 16 && i < c.length; ++i) header[i] = file[i];
    EXPECT_EQ(settings.saveMode, static_cast<std::int16_t>(header[0] | header[1] << 8));
    EXPECT_EQ(settings.dropWindowSize, static_cast<std::int16_t>(header[2] | header[3] << 8));
    EXPECT_EQ(settings.switchFlags, header[4]);
    EXPECT_EQ(settings.lastListIndex, static_cast<std::int8_t>(header[5]));
    EXPECT_EQ(Bytes(settings.reserved.begin(), settings.reserved.end()),
              Bytes(header.begin() + 6, header.end()));

    for (int slot = 0; slot < 12; ++slot) {
      EXPECT_EQ(raw(settings.slots[slot].name),
                expectedField(file, c.length, nameAt(c.list, slot), before.slots[slot].name))
          << "name " << slot;
      EXPECT_EQ(raw(settings.slots[slot].path),
                expectedField(file, c.length, pathAt(c.list, slot), before.slots[slot].path))
          << "path " << slot;
    }
    EXPECT_EQ(raw(settings.soundPath),
              expectedField(file, c.length, test::kSoundAt, before.soundPath));

    ConfirmedFolderLists lists;
    for (auto& list : lists.lists) list = before.slots;
    readFolderLists(file, lists);
    for (int list = 0; list < 5; ++list) {
      for (int slot = 0; slot < 12; ++slot) {
        EXPECT_EQ(raw(lists.lists[list][slot].name),
                  expectedField(file, c.length, nameAt(list, slot), before.slots[slot].name));
        EXPECT_EQ(raw(lists.lists[list][slot].path),
                  expectedField(file, c.length, pathAt(list, slot), before.slots[slot].path));
      }
    }
  }
}

TEST(SettingsFileRead, ReadFolderListsLeavesTheMissingFlagAlone) {
  ConfirmedFolderLists lists;
  lists.settingsFileMissing = true;
  readFolderLists(test::labelledImage(""), lists);
  EXPECT_TRUE(lists.settingsFileMissing);
  EXPECT_EQ(lists.lists[3][7].name.str(), test::slotName(3, 7));
}

// ---- both ways ----

TEST(SettingsFileRoundTrip, AValidFileIsWrittenBackByteForByte) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    for (int list = 0; list < 5; ++list) {
      const Bytes file = test::scrambledImage(seed);
      Settings settings;
      ConfirmedFolderLists lists;
      readSettings(file, list, settings);
      readFolderLists(file, lists);
      EXPECT_EQ(toBytes(buildImage(settings, lists)), file) << seed << " " << list;
    }
  }
}

}  // namespace
}  // namespace qm::settings_file
