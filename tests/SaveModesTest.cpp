// Drops through the whole program over real files: the three save modes, Shift, the file-name
// dialog and the boxes that say why a save failed.
#include <gtest/gtest.h>

#include <functional>

#include "DropTestSupport.h"
#include "PictureBytes.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

using test::Files;
namespace fs = std::filesystem;

constexpr unsigned kInfoBox = kMbOk | kMbIconInformation;
constexpr unsigned kErrorBox = kMbOk | kMbIconError;
const std::string kKorean = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4.png";
const std::string kKorean0 = kKorean.substr(0, 9) + "0.png";

RecordedMessageBox systemBox(std::uint32_t code, unsigned style = kInfoBox) {
  return {"system message " + std::to_string(code), "Quillmarten", style};
}

struct ExpectedDialog {
  std::string folder;  // name of the folder under the program folder
  std::string fileName;
  int filterIndex;
};

// The user's answer to the dialog: a name in folder "two" (or a path under the program folder),
// or none, with the dialog's error.
struct DialogAnswer {
  std::optional<std::string> relativePath;
  std::uint32_t error = 0;
};

struct SaveCase {
  const char* what;
  std::int16_t mode;
  bool shift;
  std::string droppedName;
  Files before;  // in folder "two"
  std::optional<DialogAnswer> answer;
  Files after;
  std::optional<ExpectedDialog> dialog;
  std::vector<RecordedMessageBox> boxes;
  bool notice;
  // Of the dropped file's path: UTF-8 for a name code page 932 cannot spell.
  TextEncoding encoding = TextEncoding::Cp932;
  SaveFormat format = kSaveAsIs;
  std::string content = "new";  // of the dropped file
  bool decodeFails = false;
};

class SaveModes : public test::DropTest {
 protected:
  void run(const SaveCase& c) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"two", "src"}) {
      fs::remove_all(fake.folder.path() / name);
      fs::create_directory(fake.folder.path() / name);
    }
    for (const auto& [name, content] : c.before) write(fake.folder.path() / "two" / name, content);
    start(c.mode, "", c.format);
    fake.images.decodeFails = c.decodeFails;
    fake.interaction.messageBoxes.clear();
    if (c.answer) {
      SaveDialogResult result;
      if (c.answer->relativePath) result.path = folder(*c.answer->relativePath);
      result.lastError = c.answer->error;
      fake.interaction.saveDialogAnswers.push_back(result);
    }
    app->Form1().shiftOverride = c.shift;
    const std::string dropped = source(c.droppedName, c.content);

    const test::FakeDroppedFiles files = drop(kRowTwo, {EncodedText(dropped, c.encoding)});

    EXPECT_EQ(contents(fake.folder.path() / "two"), c.after);
    EXPECT_EQ(contents(fake.folder.path() / "src"), (Files{{c.droppedName, c.content}}));
    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    ASSERT_EQ(fake.interaction.saveDialogs.size(), c.dialog ? 1u : 0u);
    if (c.dialog) {
      const SaveDialogRequest& asked = fake.interaction.saveDialogs.front();
      EXPECT_EQ(asked.initialDir, folder(c.dialog->folder));
      EXPECT_EQ(asked.fileName, c.dialog->fileName);
      EXPECT_EQ(asked.filterIndex, c.dialog->filterIndex);
      EXPECT_EQ(asked.encoding, c.encoding);
    }
    EXPECT_EQ(noticeShown(), c.notice);
    EXPECT_EQ(app->Form1().noticeCountdown, c.notice ? 8 : 0);
    EXPECT_EQ(files.finished, 1);
    EXPECT_FALSE(app->Form1().dropsBusy);
    fake.interaction.saveDialogs.clear();
  }
};

TEST_F(SaveModes, EachModeWithFreeAndTakenNames) {
  const Files old{{"photo.jpg", "old"}};
  const ExpectedDialog photoDialog{"two", "photo.jpg", 2};
  const std::string webp = test::picture_bytes::webpLossy();
  const std::string asPng = FakeImageConverter::written(ImageFormat::Png, webp);
  const std::string asJpeg = FakeImageConverter::written(ImageFormat::Jpeg, webp);
  const SaveCase cases[] = {
      {"PNG format: a WebP is saved as PNG under the new, cleaned name",
       kSaveOverwrite,
       false,
       "photo[1].webp",
       {},
       {},
       {{"photo.png", asPng}},
       {},
       {},
       true,
       TextEncoding::Cp932,
       kSavePng,
       webp},
      {"JPEG format, numbered: the numbers go on the new name",
       kSaveNumbered,
       false,
       "photo.webp",
       old,
       {},
       {{"photo.jpg", "old"}, {"photo0.jpg", asJpeg}},
       {},
       {},
       true,
       TextEncoding::Cp932,
       kSaveJpeg,
       webp},
      {"PNG format, file name mode: the dialog proposes the new name with PNG's filter",
       kSaveAskName,
       false,
       "photo.webp",
       {{"photo.png", "old"}},
       DialogAnswer{"two\\chosen.png"},
       {{"photo.png", "old"}, {"chosen.png", asPng}},
       ExpectedDialog{"two", "photo.png", 5},
       {},
       true,
       TextEncoding::Cp932,
       kSavePng,
       webp},
      {"PNG format, a decoding that fails: the file is kept as it is, under its name, silently",
       kSaveOverwrite,
       false,
       "photo.webp",
       {},
       {},
       {{"photo.webp", webp}},
       {},
       {},
       true,
       TextEncoding::Cp932,
       kSavePng,
       webp,
       true},
      {"JPEG format, not a picture: kept as it is",
       kSaveNumbered,
       false,
       "notes.txt",
       {},
       {},
       {{"notes.txt", "new"}},
       {},
       {},
       true,
       TextEncoding::Cp932,
       kSaveJpeg},
      {"overwrite, free name",
       kSaveOverwrite,
       false,
       "photo.jpg",
       {},
       {},
       {{"photo.jpg", "new"}},
       {},
       {},
       true},
      {"overwrite replaces a taken name without a question",
       kSaveOverwrite,
       false,
       "photo.jpg",
       old,
       {},
       {{"photo.jpg", "new"}},
       {},
       {},
       true},
      {"numbered, free name",
       kSaveNumbered,
       false,
       "photo.jpg",
       {},
       {},
       {{"photo.jpg", "new"}},
       {},
       {},
       true},
      {"numbered after photo.jpg and photo0.jpg",
       kSaveNumbered,
       false,
       "photo.jpg",
       {{"photo.jpg", "old"}, {"photo0.jpg", "old0"}},
       {},
       {{"photo.jpg", "old"}, {"photo0.jpg", "old0"}, {"photo1.jpg", "new"}},
       {},
       {},
       true},
      {"numbered, a name without a dot",
       kSaveNumbered,
       false,
       "README",
       {{"README", "old"}},
       {},
       {{"README", "old"}, {"README0", "new"}},
       {},
       {},
       true},
      {"file name mode, free name: saved without the dialog",
       kSaveAskName,
       false,
       "photo.jpg",
       {},
       {},
       {{"photo.jpg", "new"}},
       {},
       {},
       true},
      {"file name mode, taken name: the dialog saves under the chosen name",
       kSaveAskName,
       false,
       "photo.jpg",
       old,
       DialogAnswer{"two\\other.jpg"},
       {{"photo.jpg", "old"}, {"other.jpg", "new"}},
       photoDialog,
       {},
       true},
      {"the dialog replaces a taken name once the user has confirmed it",
       kSaveAskName,
       false,
       "photo.jpg",
       old,
       DialogAnswer{"two\\photo.jpg"},
       {{"photo.jpg", "new"}},
       photoDialog,
       {},
       true},
      {"the dialog cancelled",
       kSaveAskName,
       false,
       "photo.jpg",
       old,
       DialogAnswer{},
       old,
       photoDialog,
       {},
       false},
      {"the dialog failed",
       kSaveAskName,
       false,
       "photo.jpg",
       old,
       DialogAnswer{{}, 12},
       old,
       photoDialog,
       {systemBox(12, kErrorBox)},
       false},
      {"the dialog's path cannot be written",
       kSaveAskName,
       false,
       "photo.jpg",
       old,
       DialogAnswer{"gone\\photo.jpg"},
       old,
       photoDialog,
       {systemBox(kErrorPathNotFound)},
       false},
      {"the bracket clean-up names the copy and the dialog's proposal",
       kSaveAskName,
       false,
       "image[1].png",
       {{"image.png", "old"}},
       DialogAnswer{},
       {{"image.png", "old"}},
       ExpectedDialog{"two", "image.png", 5},
       {},
       false},
      // 한국어.png, which code page 932 cannot spell, in UTF-8 on its way from the system.
      {"a name beyond code page 932, overwriting",
       kSaveOverwrite,
       false,
       kKorean,
       {{kKorean, "old"}},
       {},
       {{kKorean, "new"}},
       {},
       {},
       true,
       TextEncoding::Utf8},
      {"a name beyond code page 932, numbered",
       kSaveNumbered,
       false,
       kKorean,
       {{kKorean, "old"}},
       {},
       {{kKorean, "old"}, {kKorean0, "new"}},
       {},
       {},
       true,
       TextEncoding::Utf8},
      {"a name beyond code page 932, proposed by the dialog",
       kSaveAskName,
       false,
       kKorean,
       {{kKorean, "old"}},
       DialogAnswer{},
       {{kKorean, "old"}},
       ExpectedDialog{"two", kKorean, 5},
       {},
       false,
       TextEncoding::Utf8},
      {"a name whose trail byte is a backslash",
       kSaveNumbered,
       false,
       "表.jpg",
       {{"表.jpg", "old"}},
       {},
       {{"表.jpg", "old"}, {"表0.jpg", "new"}},
       {},
       {},
       true},
  };
  for (const auto& c : cases) run(c);
}

TEST_F(SaveModes, ShiftAsksForTheNameInEveryModeEvenWhenItIsFree) {
  for (const std::int16_t mode : {kSaveOverwrite, kSaveNumbered, kSaveAskName}) {
    const ExpectedDialog dialog{"two", "photo.jpg", 2};
    run({"Shift, saved",
         mode,
         true,
         "photo.jpg",
         {},
         DialogAnswer{"two\\chosen.jpg"},
         {{"chosen.jpg", "new"}},
         dialog,
         {},
         true});
    run({"Shift, cancelled", mode, true, "photo.jpg", {}, DialogAnswer{}, {}, dialog, {}, false});
  }
}

}  // namespace
}  // namespace qm
