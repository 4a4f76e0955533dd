// Input whose state the test sets directly.
#pragma once

#include <set>

#include "platform/Input.h"

namespace qm {

class FakeInput : public Input {
 public:
  bool isHeld(int virtualKey) override { return held.count(virtualKey) != 0; }
  bool isReported(int virtualKey) override {
    return held.count(virtualKey) != 0 || reported.count(virtualKey) != 0;
  }
  std::optional<Point> cursorPos() override { return cursor; }
  std::optional<std::string> foregroundTitle(int limit) override {
    if (!title) return std::nullopt;
    return title->substr(0, static_cast<std::size_t>(limit > 0 ? limit - 1 : 0));
  }
  std::optional<std::wstring> foregroundImagePath() override {
    ++imagePathReads;
    return imagePath;
  }
  ScreenSize primaryScreen() override { return screen; }

  std::set<int> held;
  std::set<int> reported;  // pressed since the last query without being held now
  std::optional<Point> cursor = Point{0, 0};
  std::optional<std::string> title;
  std::optional<std::wstring> imagePath;
  int imagePathReads = 0;
  ScreenSize screen{1280, 1024};
};

}  // namespace qm
