#include "dialogs/Property.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

using test::Bytes;
using test::click;
using test::header;
using test::type;

const RecordedMessageBox kGestureWarning{
    " このバージョンでは、ファイルをドラッグしたかの判定を\n"
    " 行っていないので予期しないときにフォルダリストが出て\n"
    " しまうかも知れません。\n"
    " うっとうしいときは、またチェックをはずしてください。",
    "注意", 0x40};
const RecordedMessageBox kAllOffRefusal{"すべての出現スイッチを無効にすることはできません",
                                        "エラー！", 0x10};

class PropertiesDialogTest : public test::DialogTest {
 protected:
  TForm5& open(std::uint8_t flags, const char* soundPath = "", std::uint8_t saveFormat = 0) {
    Settings h = header(kSaveNumbered, kSizeSmall, 0);
    h.switchFlags = flags;
    h.soundPath.assign(soundPath);
    h.saveFormat = saveFormat;
    ConfirmedFolderLists lists;
    lists.lists[0] = test::folders({{"a", "C:\\a"}});
    start(h, lists);
    return reopen();
  }
  TForm5& reopen() {
    app_->trayMenu().N8().onClick();
    return app_->Form5();
  }
  // In the order Ctrl, F12, L gesture, square gesture, top, bottom, left, right.
  std::vector<Control*> switchBoxes() {
    TForm5& f = app_->Form5();
    return {&f.CheckBox5(), &f.CheckBox7(), &f.CheckBox8(), &f.CheckBox9(),
            &f.CheckBox1(), &f.CheckBox2(), &f.CheckBox3(), &f.CheckBox4()};
  }
  void tickOnly(const std::vector<bool>& ticks) {
    const std::vector<Control*> all = switchBoxes();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (all[i]->checked() != ticks[i]) click(*all[i]);
    }
  }
  std::uint8_t storedFlags() { return fileBytes().at(4); }
};

TEST_F(PropertiesDialogTest, OkStoresTheTicksAsFlags) {
  const struct {
    std::vector<bool> ticks;  // Ctrl, F12, L, square, top, bottom, left, right
    std::uint8_t flags;
  } cases[] = {
      {{true, true, true, false, false, true, true, true}, 0x28},
      {{true, true, false, false, true, true, true, true}, 0x00},
      {{true, true, true, true, true, true, true, true}, 0x30},
      {{true, false, false, false, false, false, false, false}, 0x4F},
      {{false, true, false, false, false, false, false, false}, 0x8F},
      {{false, false, false, true, false, false, false, false}, 0xDF},
      {{false, false, false, false, false, false, false, true}, 0xCE},
      {{false, false, false, false, true, false, true, false}, 0xC5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int{c.flags});
    app_.reset();
    TForm5& dialog = open(0x00);
    tickOnly(c.ticks);
    click(dialog.Button1());
    EXPECT_EQ(storedFlags(), c.flags);
    EXPECT_EQ(app_->store().settings().switchFlags, c.flags);
    EXPECT_FALSE(dialog.window().visible());
  }
}

TEST_F(PropertiesDialogTest, EveryStorableFlagValueSurvivesFillAndOk) {
  TForm5& dialog = open(0x00);
  for (int value = 0; value < 256; ++value) {
    const auto flags = static_cast<std::uint8_t>(value);
    if (flags == 0xCF) continue;  // every switch off: refused, tested on its own
    app_->store().settings().switchFlags = flags;
    reopen();
    click(dialog.Button1());
    ASSERT_EQ(storedFlags(), flags) << value;
  }
  EXPECT_TRUE(boxes().empty());
}

TEST_F(PropertiesDialogTest, AllSwitchesOffIsRefusedAndCancelRestoresTheTicks) {
  TForm5& dialog = open(0x20);
  const Bytes before = fileBytes();
  tickOnly({false, false, false, false, false, false, false, false});
  dialog.RadioGroup2().takeUserItemIndex(kSaveJpeg);
  click(dialog.Button1());
  EXPECT_EQ(boxes(), (std::vector<RecordedMessageBox>{kAllOffRefusal}));
  EXPECT_TRUE(dialog.window().visible());
  EXPECT_EQ(fileBytes(), before);
  EXPECT_EQ(app_->store().settings().switchFlags, 0x20);

  boxes().clear();
  click(dialog.Button2());
  EXPECT_FALSE(dialog.window().visible());
  std::vector<bool> ticks;
  for (const Control* box : switchBoxes()) ticks.push_back(box->checked());
  EXPECT_EQ(ticks, (std::vector<bool>{true, true, true, false, true, true, true, true}));
  EXPECT_EQ(dialog.RadioGroup2().itemIndex(), kSaveAsIs);
  // Restoring the L gesture's tick warns no one.
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(PropertiesDialogTest, OnlyTheUsersTickOfAGestureWarns) {
  TForm5& dialog = open(0x30);  // both gestures on: filled without a word
  EXPECT_TRUE(boxes().empty());
  click(dialog.CheckBox8());  // unticked
  click(dialog.CheckBox9());
  EXPECT_TRUE(boxes().empty());
  click(dialog.CheckBox8());  // ticked
  click(dialog.CheckBox9());  // ticked
  click(dialog.CheckBox9());  // unticked
  click(dialog.CheckBox9());  // ticked again
  EXPECT_EQ(boxes(),
            (std::vector<RecordedMessageBox>{kGestureWarning, kGestureWarning, kGestureWarning}));
  EXPECT_TRUE(dialog.CheckBox8().checked());

  boxes().clear();
  app_->store().settings().switchFlags = 0x00;
  reopen();  // the refill unticks them
  app_->store().settings().switchFlags = 0x10;
  reopen();  // and ticks one again
  click(dialog.Button2());
  EXPECT_TRUE(boxes().empty());
}

TEST_F(PropertiesDialogTest, OkWritesOnlyTheFlagByteTheSoundPathAndTheSaveFormat) {
  constexpr int kUntouched = -1;
  const struct {
    const char* stored;
    int choice;  // 0 "なし", 1 "WAVE"
    const char* typed;
    const char* written;
    std::uint8_t storedFormat;
    int shownFormat;  // 0 "そのまま", 1 "PNG に変換", 2 "JPEG に変換 (品質 90)"
    int chosenFormat;
    std::uint8_t writtenFormat;
  } cases[] = {
      {"", 1, "C:\\sounds\\保存.wav", "C:\\sounds\\保存.wav", 0, 0, 1, 1},
      {"C:\\old.wav", 0, "", "", 2, 2, kUntouched, 2},
      {"C:\\old.wav", 1, "", "", 1, 1, 0, 0},
      {"C:\\old.wav", 1, "C:\\new.wav", "C:\\new.wav", 0, 0, 2, 2},
      // A value this version does not know shows and saves as "そのまま".
      {"", 0, "", "", 7, 0, kUntouched, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    app_.reset();
    TForm5& dialog = open(0x00, c.stored, c.storedFormat);
    Bytes expected = fileBytes();
    EXPECT_EQ(dialog.RadioGroup2().itemIndex(), c.shownFormat);
    if (c.chosenFormat != kUntouched) dialog.RadioGroup2().takeUserItemIndex(c.chosenFormat);
    dialog.RadioGroup1().takeUserItemIndex(c.choice);
    type(dialog.Edit2(), c.typed);
    click(dialog.CheckBox1());  // top edge off
    click(dialog.Button1());

    expected[4] = 0x08;
    expected[6] = c.writtenFormat;
    std::fill(expected.begin() + test::kSoundAt, expected.end(), 0);
    test::putBytes(expected, test::kSoundAt, c.written);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_EQ(app_->store().settings().soundPath.str(), c.written);
  }
}

TEST_F(PropertiesDialogTest, OpeningShowsTheSoundChoiceOfTheSettings) {
  const struct {
    const char* stored;
    int choice;
    bool pathControls;
  } cases[] = {
      {"", 0, false},
      {"C:\\a.wav", 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    app_.reset();
    TForm5& dialog = open(0x00, c.stored);
    EXPECT_EQ(dialog.RadioGroup1().itemIndex(), c.choice);
    EXPECT_TRUE(dialog.RadioGroup1().enabled());
    EXPECT_EQ(dialog.Edit2().caption(), c.stored);
    EXPECT_EQ(dialog.Edit2().enabled(), c.pathControls);
    EXPECT_EQ(dialog.Button3().enabled(), c.pathControls);
    EXPECT_EQ(dialog.Button4().enabled(), c.pathControls);

    // Choosing "なし" empties the box at once.
    dialog.RadioGroup1().takeUserItemIndex(0);
    EXPECT_EQ(dialog.Edit2().caption(), "");
    EXPECT_FALSE(dialog.Button4().enabled());
    dialog.RadioGroup1().takeUserItemIndex(1);
    EXPECT_TRUE(dialog.Edit2().enabled());
  }
}

TEST_F(PropertiesDialogTest, TheFileDialogAndTheSoundTest) {
  TForm5& dialog = open(0x00, "C:\\a.wav");
  fake_.interaction.openDialogAnswers = {"C:\\音\\b.wav", std::nullopt};
  click(dialog.Button3());
  click(dialog.Button3());  // cancelled: the box keeps its text
  EXPECT_EQ(dialog.Edit2().caption(), "C:\\音\\b.wav");
  ASSERT_EQ(fake_.interaction.openDialogs.size(), 2u);
  EXPECT_EQ(fake_.interaction.openDialogs[0].filter, "WAVEファイル (*.wav)|*.wav");
  EXPECT_EQ(fake_.interaction.openDialogs[0].fileName, "");
  EXPECT_EQ(fake_.interaction.openDialogs[1].fileName, "C:\\音\\b.wav");

  click(dialog.Button4());
  type(dialog.Edit2(), "C:\\missing.wav");
  click(dialog.Button4());
  EXPECT_EQ(fake_.interaction.sounds,
            (std::vector<std::string>{"C:\\音\\b.wav", "C:\\missing.wav"}));
  // The test is heard to its end, and a missing file gives the system's sound.
  EXPECT_EQ(fake_.interaction.soundFlags, (std::vector<std::uint32_t>{kSndFilename, kSndFilename}));
  EXPECT_TRUE(boxes().empty());
}

TEST_F(PropertiesDialogTest, ASoundPathTooLongForItsFieldIsRefused) {
  const std::string kanji129 = [] {
    std::string text;
    for (int i = 0; i < 129; ++i) text += "音";
    return text;
  }();
  const struct {
    std::string path;
    bool stored;
  } cases[] = {
      {kanji129 + "a", true},  // 259 bytes
      {kanji129 + "ab", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.size());
    app_.reset();
    TForm5& dialog = open(0x00, "C:\\a.wav");
    const Bytes before = fileBytes();
    type(dialog.Edit2(), c.path);
    click(dialog.Button1());
    EXPECT_EQ(dialog.window().visible(), !c.stored);
    if (c.stored) {
      EXPECT_EQ(app_->store().settings().soundPath.str(), c.path);
      EXPECT_TRUE(boxes().empty());
    } else {
      EXPECT_EQ(fileBytes(), before);
      ASSERT_EQ(boxes().size(), 1u);
      EXPECT_EQ(boxes()[0].caption, "エラー！");
      EXPECT_EQ(boxes()[0].text,
                "WAVEファイルのパスが長すぎます。\n半角259文字（全角129文字）以内にしてください。");
    }
  }
}

TEST_F(PropertiesDialogTest, TheCloseBoxStoresNothingAndKeepsTheBoxes) {
  TForm5& dialog = open(0x00, "C:\\a.wav");
  const Bytes before = fileBytes();
  click(dialog.CheckBox5());
  type(dialog.Edit2(), "C:\\b.wav");
  dialog.CloseCommand();
  EXPECT_FALSE(dialog.window().visible());
  EXPECT_FALSE(dialog.CheckBox5().checked());
  EXPECT_EQ(fileBytes(), before);
  EXPECT_EQ(app_->store().settings().soundPath.str(), "C:\\a.wav");
  EXPECT_TRUE(app_->trayMenu().N11().enabled());
}

TEST_F(PropertiesDialogTest, AFolderListConfirmKeepsTheStoredSoundPath) {
  open(0x00, "C:\\keep.wav");
  click(app_->Form5().Button2());
  app_->trayMenu().N11().onClick();
  click(app_->Form2().Button7());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&fileBytes()[test::kSoundAt])),
            "C:\\keep.wav");
}

}  // namespace
}  // namespace qm
