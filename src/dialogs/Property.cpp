#include "dialogs/Property.h"

#include "settings/Settings.h"

namespace qm {
namespace {

using namespace switch_flags;

constexpr int kClientWidth = 519;
constexpr int kClientHeight = 393;
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
constexpr Bounds kPathBox{24, 60, 380, 21};

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

TForm5::TForm5(Toolkit& toolkit)
    : DialogForm(toolkit, "TForm5", "プロパティ", kClientWidth, kClientHeight),
      toolkit_(toolkit),
      panel2_(toolkit, ControlKind::Panel, window_, nullptr, "Panel2"),
      panel1_(toolkit, ControlKind::Panel, window_, &panel2_, "Panel1"),
      checkBox1_(toolkit, ControlKind::CheckBox, window_, &panel2_, "CheckBox1"),
      checkBox2_(toolkit, ControlKind::CheckBox, window_, &panel2_, "CheckBox2"),
      checkBox3_(toolkit, ControlKind::CheckBox, window_, &panel2_, "CheckBox3"),
      checkBox4_(toolkit, ControlKind::CheckBox, window_, &panel2_, "CheckBox4"),
      panel3_(toolkit, ControlKind::Panel, window_, nullptr, "Panel3"),
      checkBox5_(toolkit, ControlKind::CheckBox, window_, &panel3_, "CheckBox5"),
      checkBox7_(toolkit, ControlKind::CheckBox, window_, &panel3_, "CheckBox7"),
      panel4_(toolkit, ControlKind::Panel, window_, nullptr, "Panel4"),
      checkBox8_(toolkit, ControlKind::CheckBox, window_, &panel4_, "CheckBox8"),
      checkBox9_(toolkit, ControlKind::CheckBox, window_, &panel4_, "CheckBox9"),
      panel5_(toolkit, ControlKind::Panel, window_, nullptr, "Panel5"),
      edit2_(toolkit, ControlKind::Edit, window_, &panel5_, "Edit2") {
  const auto place = [this](Control& control, Bounds bounds, const char* caption) {
    control.setBounds(bounds);
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
  place(edit2_, kPathBox, "");
  edit2_.setMaxLength(kPathMaxLength);
  edit2_.setHint("保存先フォルダパスを指定してください");

  // Flags 0: every edge and key on, both gestures off.
  tickSwitches(0);
}

void TForm5::addLabel(Control& group, const char* name, const char* caption, Bounds bounds,
                      bool heading) {
  auto& label = *labels_.emplace_back(
      std::make_unique<Control>(toolkit_, ControlKind::Label, window_, &group, name));
  Font font = window_.font();
  font.bold = heading;
  label.setBounds(bounds);
  label.setCaption(caption);
  label.setFont(font);
  label.setColor(group.color());
  if (heading) label.setTextColor(kHeadingColor);
  label.setVisible(true);
}

void TForm5::tickSwitches(std::uint8_t switchFlags) {
  for (const SwitchBox& s : kSwitchBoxes) {
    const bool bitSet = (switchFlags & s.mask) != 0;
    (this->*s.box).setChecked(bitSet == s.tickedWhenSet);
  }
}

void TForm5::fillFrom(const Settings& settings) {
  tickSwitches(settings.switchFlags);
  edit2_.setCaption(settings.soundPath.str());
}

}  // namespace qm
