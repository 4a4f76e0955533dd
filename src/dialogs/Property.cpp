#include "dialogs/Property.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/Win32Codes.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace qm {
namespace {

using namespace switch_flags;

constexpr int kClientWidth = 519;
constexpr int kClientHeight = 461;
constexpr Color kHeadingColor = rgb(0, 0, 128);
constexpr int kPathMaxLength = 258;

// Group frames and what sits in them, in client pixels of the dialog or of their group.
constexpr Bounds kEdgeGroup{8, 8, 250, 230};
constexpr Bounds kScreenPicture{65, 60, 120, 90};
constexpr Bounds kTopBox{110, 38, 40, 17};
constexpr Bounds kBottomBox{110, 155, 40, 17};
constexpr Bounds kLeftBox{20, 96, 40, 17};
constexpr Bounds kRightBox{192, 96, 40, 17};

constexpr Bounds kKeyGroup{266, 8, 245, 105};
constexpr Bounds kCtrlBox{24, 30, 80, 17};
constexpr Bounds kF12Box{120, 30, 80, 17};

constexpr Bounds kGestureGroup{266, 121, 245, 117};
constexpr Bounds kLGestureBox{24, 30, 210, 17};
constexpr Bounds kSquareGestureBox{24, 52, 210, 17};

constexpr Bounds kSoundGroup{8, 246, 503, 100};
constexpr Bounds kSoundChoice{24, 24, 200, 36};
constexpr Bounds kPathBox{24, 66, 360, 21};
constexpr Bounds kBrowseButton{392, 65, 64, 23};
constexpr Bounds kPlayButton{462, 65, 30, 23};

// The format the dropped pictures are saved in, below the sound, in one row.
constexpr Bounds kFormatGroup{8, 354, 503, 60};
constexpr Bounds kFormatChoice{24, 24, 470, 28};
constexpr int kFormatColumns = 3;

constexpr Bounds kOkButton{351, 426, 75, 25};
constexpr Bounds kCancelButton{436, 426, 75, 25};

constexpr int kNoSound = 0;
constexpr int kWaveSound = 1;
constexpr const char* kWaveFilter = "WAVEファイル (*.wav)|*.wav";
// The edge and key bits count a ticked box as off; the gesture bits keep the tick as it is.
constexpr std::uint8_t kInvertedBits =
    kCtrlOff | kF12Off | kTopEdgeOff | kBottomEdgeOff | kLeftEdgeOff | kRightEdgeOff;
static_assert(kInvertedBits == 0xCF);
constexpr std::size_t kSoundPathFieldBytes = decltype(Settings::soundPath)::kSize;
static_assert(kPathMaxLength < static_cast<int>(kSoundPathFieldBytes));

constexpr const char* kGestureWarning =
    " このバージョンでは、ファイルをドラッグしたかの判定を\n"
    " 行っていないので予期しないときにフォルダリストが出て\n"
    " しまうかも知れません。\n"
    " うっとうしいときは、またチェックをはずしてください。";

constexpr Bounds kHeading{8, 6, 228, 14};
constexpr Bounds kEdgeNote1{8, 190, 236, 14};
constexpr Bounds kEdgeNote2{8, 206, 236, 14};
constexpr Bounds kKeyNote1{8, 64, 232, 14};
constexpr Bounds kKeyNote2{8, 80, 232, 14};
// Below the second gesture box.
constexpr Bounds kGestureNote1{8, 78, 232, 14};
constexpr Bounds kGestureNote2{8, 94, 232, 14};

}  // namespace

struct TForm5::SwitchBox {
  Control TForm5::*box;
  std::uint8_t mask;
  bool tickedWhenSet;
};

const TForm5::SwitchBox TForm5::kSwitchBoxes[] = {
    {&TForm5::checkBox5_, kCtrlOff, false},     {&TForm5::checkBox7_, kF12Off, false},
    {&TForm5::checkBox8_, kLGestureOn, true},   {&TForm5::checkBox9_, kSquareGestureOn, true},
    {&TForm5::checkBox1_, kTopEdgeOff, false},  {&TForm5::checkBox2_, kBottomEdgeOff, false},
    {&TForm5::checkBox3_, kLeftEdgeOff, false}, {&TForm5::checkBox4_, kRightEdgeOff, false},
};

TForm5::TForm5(Platform& platform, SettingsStore& store, ConflictingCommands conflicting)
    : DialogForm(platform.toolkit, "TForm5", "プロパティ", kClientWidth, kClientHeight,
                 std::move(conflicting)),
      toolkit_(platform.toolkit),
      interaction_(platform.interaction),
      files_(platform.files),
      store_(store),
      panel2_(toolkit_, ControlKind::Panel, window_, nullptr, "Panel2"),
      panel1_(toolkit_, ControlKind::Panel, window_, &panel2_, "Panel1"),
      checkBox1_(toolkit_, ControlKind::CheckBox, window_, &panel2_, "CheckBox1"),
      checkBox2_(toolkit_, ControlKind::CheckBox, window_, &panel2_, "CheckBox2"),
      checkBox3_(toolkit_, ControlKind::CheckBox, window_, &panel2_, "CheckBox3"),
      checkBox4_(toolkit_, ControlKind::CheckBox, window_, &panel2_, "CheckBox4"),
      panel3_(toolkit_, ControlKind::Panel, window_, nullptr, "Panel3"),
      checkBox5_(toolkit_, ControlKind::CheckBox, window_, &panel3_, "CheckBox5"),
      checkBox7_(toolkit_, ControlKind::CheckBox, window_, &panel3_, "CheckBox7"),
      panel4_(toolkit_, ControlKind::Panel, window_, nullptr, "Panel4"),
      checkBox8_(toolkit_, ControlKind::CheckBox, window_, &panel4_, "CheckBox8"),
      checkBox9_(toolkit_, ControlKind::CheckBox, window_, &panel4_, "CheckBox9"),
      panel5_(toolkit_, ControlKind::Panel, window_, nullptr, "Panel5"),
      radioGroup1_(toolkit_, ControlKind::RadioGroup, window_, &panel5_, "RadioGroup1"),
      edit2_(toolkit_, ControlKind::Edit, window_, &panel5_, "Edit2"),
      button3_(toolkit_, ControlKind::Button, window_, &panel5_, "Button3"),
      button4_(toolkit_, ControlKind::Button, window_, &panel5_, "Button4"),
      panel6_(toolkit_, ControlKind::Panel, window_, nullptr, "Panel6"),
      radioGroup2_(toolkit_, ControlKind::RadioGroup, window_, &panel6_, "RadioGroup2"),
      button1_(toolkit_, ControlKind::Button, window_, nullptr, "Button1"),
      button2_(toolkit_, ControlKind::Button, window_, nullptr, "Button2") {
  buildLayout();
  wireHandlers();
  // Flags 0: every edge and key on, both gestures off.
  tickSwitches(0);
}

void TForm5::buildLayout() {
  const auto place = [this](Control& control, Bounds bounds, const char* caption) {
    placeAt(control, bounds);
    control.setCaption(caption);
    control.setFont(window_.font());
    control.setVisible(true);
  };
  // A framed group with its heading.
  const auto addGroup = [&](Control& group, Bounds bounds, const char* headingName,
                            const char* heading) {
    place(group, bounds, "");
    group.setBevel(Bevel::Single);
    addLabel(group, headingName, heading, kHeading, true);
  };

  addGroup(panel2_, kEdgeGroup, "Label1", "フォルダリスト出現スイッチ");
  place(panel1_, kScreenPicture, "PCモニタ");
  panel1_.setBevel(Bevel::Lowered);
  place(checkBox1_, kTopBox, "上");
  place(checkBox2_, kBottomBox, "下");
  place(checkBox3_, kLeftBox, "左");
  place(checkBox4_, kRightBox, "右");
  addLabel(panel2_, "Label8", "※チェックをはずした画面端にドラッグしたポインタ", kEdgeNote1, false);
  addLabel(panel2_, "Label9", "　を持っていってもフォルダリストが表示されません", kEdgeNote2,
           false);

  addGroup(panel3_, kKeyGroup, "Label3", "キー対応");
  place(checkBox5_, kCtrlBox, "Ctrl");
  place(checkBox7_, kF12Box, "F12");
  addLabel(panel3_, "Label4", "※ドラッグしながらチェックしたキーを押すと", kKeyNote1, false);
  addLabel(panel3_, "Label5", "　フォルダリストが表示されます", kKeyNote2, false);

  addGroup(panel4_, kGestureGroup, "Label2", "マウスジェスチャ対応");
  place(checkBox8_, kLGestureBox, "LISTの L字  　[↑↓→←]");
  place(checkBox9_, kSquareGestureBox, "左回りに四角[↓→↑←]");
  addLabel(panel4_, "Label6", "※ドラッグしたまま、マウスでチェックした動き", kGestureNote1, false);
  addLabel(panel4_, "Label7", "　を描くとフォルダリストが表示されます", kGestureNote2, false);

  addGroup(panel5_, kSoundGroup, "Label10", "画像保存音");
  place(radioGroup1_, kSoundChoice, "");
  radioGroup1_.setItems({"なし", "WAVE"});
  place(edit2_, kPathBox, "");
  edit2_.setMaxLength(kPathMaxLength);
  edit2_.setHint("保存先フォルダパスを指定してください");
  place(button3_, kBrowseButton, "参照...");
  button3_.setHint("フォルダ選択ダイアログを開きます");
  place(button4_, kPlayButton, "♪");
  button4_.setHint("サウンドテスト");

  addGroup(panel6_, kFormatGroup, "Label11", "保存形式");
  place(radioGroup2_, kFormatChoice, "");
  radioGroup2_.setColumns(kFormatColumns);
  // In the order of the values they store.
  radioGroup2_.setItems({"そのまま", "PNG に変換", "JPEG に変換 (品質 90)"});
  static_assert(kSaveAsIs == 0 && kSavePng == 1 && kSaveJpeg == 2);
  radioGroup2_.setItemIndex(kSaveAsIs);

  place(button1_, kOkButton, "OK");
  place(button2_, kCancelButton, "キャンセル");
}

void TForm5::wireHandlers() {
  window_.onShow = [this] { FormShow(); };
  window_.onCloseCommand = [this] { CloseCommand(); };
  radioGroup1_.onClick = [this] { RadioGroup1Click(); };
  button3_.onClick = [this] { Button3Click(); };
  button4_.onClick = [this] { Button4Click(); };
  checkBox8_.onClick = [this] { CheckBox8Click(); };
  checkBox9_.onClick = [this] { CheckBox9Click(); };
  button1_.onClick = [this] { Button1Click(); };
  button2_.onClick = [this] { Button2Click(); };
}

void TForm5::addLabel(Control& group, const char* name, const char* caption, Bounds bounds,
                      bool heading) {
  auto& label = *labels_.emplace_back(
      std::make_unique<Control>(toolkit_, ControlKind::Label, window_, &group, name));
  Font font = window_.font();
  font.bold = heading;
  placeAt(label, bounds);
  label.setCaption(caption);
  label.setFont(font);
  label.setColor(group.color());
  if (heading) label.setTextColor(kHeadingColor);
  label.setVisible(true);
}

void TForm5::tickSwitches(std::uint8_t switchFlags) {
  filling_ = true;
  for (const SwitchBox& s : kSwitchBoxes) {
    const bool bitSet = (switchFlags & s.mask) != 0;
    (this->*s.box).setChecked(bitSet == s.tickedWhenSet);
  }
  filling_ = false;
}

std::uint8_t TForm5::composeSwitchFlags() const {
  std::uint8_t ticks = 0;
  for (const SwitchBox& s : kSwitchBoxes) {
    if ((this->*s.box).checked()) ticks = static_cast<std::uint8_t>(ticks | s.mask);
  }
  return static_cast<std::uint8_t>(ticks ^ kInvertedBits);
}

void TForm5::fillFrom(const Settings& settings) {
  tickSwitches(settings.switchFlags);
  edit2_.setCaption(settings.shownSoundPath());
  radioGroup2_.setItemIndex(saveFormatFromByte(settings.saveFormat));
}

void TForm5::FormShow() {
  radioGroup1_.setEnabled(false);
  setConflictingCommandsEnabled(false);
  const EncodedText soundPath = store_.settings().shownSoundPath();
  radioGroup1_.setItemIndex(soundPath.bytes.empty() ? kNoSound : kWaveSound);
  edit2_.setCaption(soundPath);
  RadioGroup1Click();
  radioGroup1_.setEnabled(true);
}

void TForm5::RadioGroup1Click() {
  const bool wave = radioGroup1_.itemIndex() == kWaveSound;
  if (!wave) edit2_.setCaption("");
  edit2_.setEnabled(wave);
  button3_.setEnabled(wave);
  button4_.setEnabled(wave);
}

void TForm5::Button3Click() {
  const std::optional<EncodedText> chosen =
      interaction_.openFileDialog({kWaveFilter, lastWaveFile_});
  if (!chosen) return;
  lastWaveFile_ = *chosen;
  edit2_.setCaption(*chosen);
}

void TForm5::Button4Click() {
  // The user asked to hear it: the dialog waits until it has ended.
  interaction_.playSound(edit2_.captionText(), kSndFilename);
}

void TForm5::CheckBox8Click() {
  warnAboutGesture(checkBox8_);
}

void TForm5::CheckBox9Click() {
  warnAboutGesture(checkBox9_);
}

void TForm5::warnAboutGesture(const Control& box) {
  // Only the user's tick warns; unticking and filling from the settings stay quiet.
  if (filling_ || !box.checked()) return;
  interaction_.messageBox(kGestureWarning, "注意", kMbOk | kMbIconInformation);
}

void TForm5::Button1Click() {
  const bool anyTicked =
      std::any_of(std::begin(kSwitchBoxes), std::end(kSwitchBoxes),
                  [this](const SwitchBox& s) { return (this->*s.box).checked(); });
  if (!anyTicked) {
    interaction_.messageBox("すべての出現スイッチを無効にすることはできません", "エラー！",
                            kMbOk | kMbIconError);
    return;
  }
  const EncodedText soundPath = edit2_.captionText();
  // Counted as the settings file holds it, in code page 932.
  const std::string cp932 = soundPath.encoding == TextEncoding::Cp932
                                ? soundPath.bytes
                                : files_.cp932Likeness(soundPath.bytes);
  if (cp932.size() >= kSoundPathFieldBytes) {
    interaction_.messageBox(
        "WAVEファイルのパスが長すぎます。\n半角259文字（全角129文字）以内にしてください。",
        "エラー！", kMbOk | kMbIconError);
    return;
  }
  const std::uint8_t flags = composeSwitchFlags();
  const SaveFormat format = saveFormatFromByte(static_cast<std::uint8_t>(radioGroup2_.itemIndex()));
  const bool saved = store_.saveChange([&](Settings& settings, ConfirmedFolderLists&) {
    settings.switchFlags = flags;
    spell(settings.soundPath, settings.soundSpelling, soundPath, cp932);
    settings.saveFormat = format;
  });
  // Unsaved, the choices stay on view for another try; the program goes on with the old ones.
  if (!saved) return;
  closeDialog();
}

void TForm5::Button2Click() {
  tickSwitches(store_.settings().switchFlags);
  radioGroup2_.setItemIndex(saveFormatFromByte(store_.settings().saveFormat));
  closeDialog();
}

void TForm5::CloseCommand() {
  closeDialog();
}

void TForm5::closeDialog() {
  setConflictingCommandsEnabled(true);
  window_.setVisible(false);
}

}  // namespace qm
