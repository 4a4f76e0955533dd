// Polled input: key states, the pointer, the foreground window and the monitors.
#pragma once

#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "platform/MonitorView.h"

namespace qm {

class Input {
 public:
  virtual ~Input() = default;
  // GetAsyncKeyState's high-order bit: the key is down now.
  virtual bool isHeld(int virtualKey) = 0;
  // GetAsyncKeyState returned anything but 0: down now, or pressed since the previous query.
  virtual bool isReported(int virtualKey) = 0;
  // Empty when the position cannot be read.
  virtual std::optional<Point> cursorPos() = 0;
  // The foreground window's title, read with a buffer of `limit` bytes (terminator included);
  // empty when there is no foreground window.
  virtual std::optional<std::string> foregroundTitle(int limit) = 0;
  // The full path of the program behind the foreground window; empty when there is none or the
  // system will not name it.
  virtual std::optional<std::wstring> foregroundImagePath() = 0;
  // The monitor under a point and what lies beyond the sides the point is at.
  virtual MonitorView monitorAt(Point point) = 0;
};

}  // namespace qm
