#include "dialogs/Msg.h"

namespace qm {
namespace {

constexpr int kClientWidth = 73;
constexpr int kClientHeight = 16;
constexpr const char* kFontFace = "ＭＳ Ｐゴシック";
constexpr int kFontPixelHeight = 12;

Font noticeFont() {
  Font font;
  font.face = kFontFace;
  font.pixelHeight = kFontPixelHeight;
  return font;
}

}  // namespace

TForm4::TForm4(Toolkit& toolkit)
    : window_(toolkit, WindowStyle::Notice, "TForm4"),
      panel1_(toolkit, ControlKind::Panel, window_, nullptr, "Panel1") {
  const Bounds client{0, 0, kClientWidth, kClientHeight};
  window_.setBounds(client);
  window_.setFont(noticeFont());

  panel1_.setBounds(client);
  panel1_.setBevel(Bevel::Raised);
  panel1_.setColor(kColorInfoBackground);
  panel1_.setCaption("保存しました");
  panel1_.setFont(noticeFont());
  panel1_.setVisible(true);
}

}  // namespace qm
