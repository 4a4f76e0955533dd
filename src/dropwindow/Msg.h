// The saved notice: a tiny borderless "saved" popup under the pointer that closes itself a few
// drag-watcher ticks after a save, and then plays the save sound. While a save's bytes have been
// moving for longer than a moment, it stands there saying how far they have gone.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Control.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "settings/Settings.h"

namespace qm {

class TForm4 {
 public:
  // In pixels at 96 DPI, as every length of the notice.
  static constexpr int kOffsetBelowPointer = 24;
  static constexpr std::uint8_t kDurationTicks = 8;
  // Half a second of ticks: a save that ends sooner shows nothing until it is done.
  static constexpr std::uint8_t kProgressAfterTicks = 10;
  static constexpr const char* kSavedText = "保存しました";

  // `countdown` is the drop window's notice countdown, which the drag watcher's tick steps.
  TForm4(Platform& platform, std::uint8_t& countdown);
  TForm4(const TForm4&) = delete;
  TForm4& operator=(const TForm4&) = delete;

  // Puts the notice just below the pointer (kept where it lands, even off screen), shows it and
  // starts the countdown again, so two quick saves give one sound.
  void ShowSavedNotice();
  // One tick: the progress of a save under way, then the countdown; the tick that reaches 0
  // closes the notice and then starts the sound, in the background, when a path is set.
  void NoticeTick(const Settings& settings);

  // "保存中 42%" where the size is known, "保存中 12 MB" where it is not.
  static std::string progressText(const WorkProgress& progress);

  Window& window() { return window_; }
  Control& Panel1() { return panel1_; }

 private:
  // The notice's size at the window's pixel density.
  void layOut();
  void placeUnderPointer();
  void trackProgress();

  Platform& platform_;
  std::uint8_t& countdown_;
  Window window_;
  Control panel1_;
  std::uint8_t progressTicks_ = 0;  // ticks the save's bytes have been moving, up to the limit
  bool showingProgress_ = false;
};

}  // namespace qm
