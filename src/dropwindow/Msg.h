// The saved notice: a tiny borderless "saved" popup under the pointer that closes itself a few
// drag-watcher ticks after a save, and then plays the save sound.
#pragma once

#include <cstdint>

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

  // `countdown` is the drop window's notice countdown, which the drag watcher's tick steps.
  TForm4(Platform& platform, std::uint8_t& countdown);
  TForm4(const TForm4&) = delete;
  TForm4& operator=(const TForm4&) = delete;

  // Puts the notice just below the pointer (kept where it lands, even off screen), shows it and
  // starts the countdown again, so two quick saves give one sound.
  void ShowSavedNotice();
  // One tick of the countdown; the tick that reaches 0 closes the notice and then starts the
  // sound, in the background, when a path is set.
  void NoticeTick(const Settings& settings);

  Window& window() { return window_; }
  Control& Panel1() { return panel1_; }

 private:
  // The notice's size at the window's pixel density.
  void layOut();

  Platform& platform_;
  std::uint8_t& countdown_;
  Window window_;
  Control panel1_;
};

}  // namespace qm
