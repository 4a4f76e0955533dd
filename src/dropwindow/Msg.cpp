#include "dropwindow/Msg.h"

#include <algorithm>

#include "platform/Dpi.h"
#include "platform/Win32Codes.h"

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

TForm4::TForm4(Platform& platform, std::uint8_t& countdown)
    : platform_(platform),
      countdown_(countdown),
      window_(platform.toolkit, WindowStyle::Notice, "TForm4"),
      panel1_(platform.toolkit, ControlKind::Panel, window_, nullptr, "Panel1") {
  layOut();
  window_.onDpiChanged = [this] { layOut(); };
  window_.setFont(noticeFont());

  panel1_.setBevel(Bevel::Raised);
  panel1_.setColor(kColorInfoBackground);
  panel1_.setCaption(kSavedText);
  panel1_.setFont(noticeFont());
  panel1_.setVisible(true);
}

void TForm4::layOut() {
  const int dpi = window_.dpi();
  window_.setWidth(scale(kClientWidth, dpi));
  window_.setHeight(scale(kClientHeight, dpi));
  panel1_.setBounds({0, 0, window_.bounds().width, window_.bounds().height});
}

void TForm4::placeUnderPointer() {
  if (const std::optional<Point> pointer = platform_.input.cursorPos()) {
    // One move for both coordinates: each move is a round trip through the window system, and
    // this one stands between the copy and the notice.
    Bounds at = window_.bounds();
    at.left = pointer->x;
    at.top = pointer->y + scale(kOffsetBelowPointer, window_.dpi());
    window_.setBounds(at);
  }
}

void TForm4::ShowSavedNotice() {
  showingProgress_ = false;
  panel1_.setCaption(kSavedText);
  placeUnderPointer();
  window_.setVisible(true);
  countdown_ = kDurationTicks;
}

std::string TForm4::progressText(const WorkProgress& progress) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  if (progress.total && *progress.total > 0) {
    const std::uint64_t done = std::min(progress.done, *progress.total);
    // In floating point, so that no size overflows; rounded down, so 100% means done.
    const auto percent = static_cast<unsigned>(100.0L * done / *progress.total);
    return "保存中 " + std::to_string(percent) + "%";
  }
  return "保存中 " + std::to_string(progress.done / kMegabyte) + " MB";
}

void TForm4::trackProgress() {
  const std::optional<WorkProgress> progress = platform_.worker.progress();
  if (!progress) {
    // Done, or waiting on a question to the user: the "saved" notice, or a box, comes next.
    progressTicks_ = 0;
    if (!showingProgress_) return;
    showingProgress_ = false;
    panel1_.setCaption(kSavedText);
    if (countdown_ == 0) window_.setVisible(false);
    return;
  }
  if (progressTicks_ < kProgressAfterTicks && ++progressTicks_ < kProgressAfterTicks) return;
  panel1_.setCaption(progressText(*progress));
  if (showingProgress_) return;
  showingProgress_ = true;
  placeUnderPointer();
  window_.setVisible(true);
}

void TForm4::NoticeTick(const Settings& settings) {
  trackProgress();
  if (countdown_ == 0) return;
  if (--countdown_ > 0) return;
  // An earlier save's notice makes way for the progress of this one, which it shows already.
  if (!showingProgress_) window_.setVisible(false);
  // Played in the background: a long sound must not stop the ticks and the drop target. A new
  // one cuts the last short, and a file that cannot be played stays silent.
  if (!settings.soundPath.empty()) {
    platform_.interaction.playSound(settings.shownSoundPath(),
                                    kSndAsync | kSndFilename | kSndNoDefault);
  }
}

}  // namespace qm
