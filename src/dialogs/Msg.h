// The saved notice: a tiny borderless "saved" popup that is placed, shown and closed from outside.
#pragma once

#include "platform/Control.h"
#include "platform/Window.h"

namespace qm {

class Toolkit;

class TForm4 {
 public:
  explicit TForm4(Toolkit& toolkit);
  TForm4(const TForm4&) = delete;
  TForm4& operator=(const TForm4&) = delete;

  Window& window() { return window_; }
  Control& Panel1() { return panel1_; }

 private:
  Window window_;
  Control panel1_;
};

}  // namespace qm
