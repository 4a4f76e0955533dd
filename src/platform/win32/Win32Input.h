#pragma once

#include "platform/Input.h"

namespace qm {

class Win32Input : public Input {
 public:
  bool isHeld(int virtualKey) override;
  bool isReported(int virtualKey) override;
  std::optional<Point> cursorPos() override;
  std::optional<std::string> foregroundTitle(int limit) override;
  std::optional<std::wstring> foregroundImagePath() override;
  MonitorView monitorAt(Point point) override;
};

}  // namespace qm
