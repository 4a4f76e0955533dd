#include "dialogs/Ver.h"

namespace qm {
namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 117;

constexpr Bounds kIcon{12, 12, 33, 37};
constexpr Bounds kName{56, 16, 110, 14};
constexpr Bounds kVersion{172, 17, 100, 14};
constexpr Bounds kNotice{56, 40, 226, 14};
constexpr Bounds kSupportButton{12, 82, 110, 25};
constexpr Bounds kCloseButton{196, 82, 84, 25};

Font nameFont() {
  Font font;
  font.face = "ＭＳ Ｐゴシック";
  font.pixelHeight = 12;
  font.bold = true;
  return font;
}

}  // namespace

TForm3::TForm3(Platform& platform)
    : DialogForm(platform.toolkit, "TForm3", "Quillmarten - バージョン情報", kClientWidth,
                 kClientHeight),
      interaction_(platform.interaction),
      image1_(platform.toolkit, ControlKind::Image, window_, nullptr, "Image1"),
      label1_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label1"),
      label3_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label3"),
      label2_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label2"),
      button1_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button1"),
      button2_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button2") {
  const auto place = [this](Control& control, Bounds bounds, const char* caption) {
    placeAt(control, bounds);
    control.setCaption(caption);
    control.setVisible(true);
  };
  place(image1_, kIcon, "");
  place(label1_, kName, "Quillmarten");
  label1_.setFont(nameFont());
  place(label3_, kVersion, "Ver 2.3");
  place(label2_, kNotice, "ブラウザの画像を登録フォルダへ保存します");
  place(button2_, kSupportButton, "サポートページ");
  place(button1_, kCloseButton, "閉じる");
  button1_.onClick = [this] { Button1Click(); };
  button2_.onClick = [this] { Button2Click(); };
}

void TForm3::Button1Click() {
  window_.setVisible(false);
}

void TForm3::Button2Click() {
  // What the browser does with the address is its own business; nothing is reported here.
  interaction_.shellExecute("iexplore.exe", kSupportPage);
}

}  // namespace qm
