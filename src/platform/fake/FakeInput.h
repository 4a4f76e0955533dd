// Input whose state the test sets directly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

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
  // As MonitorFromPoint with MONITOR_DEFAULTTONEAREST and GetMonitorInfo would answer for the
  // layout in `monitors`; every side's neighbour is asked, whether the point is at it or not.
  MonitorView monitorAt(Point point) override {
    MonitorView view;
    view.rect = *std::min_element(monitors.begin(), monitors.end(),
                                  [point](const Bounds& a, const Bounds& b) {
                                    return distance(point, a) < distance(point, b);
                                  });
    const std::int64_t right = std::int64_t{view.rect.left} + view.rect.width;
    const std::int64_t bottom = std::int64_t{view.rect.top} + view.rect.height;
    view.openTop = !onAMonitor(point.x, std::int64_t{view.rect.top} - 1);
    view.openLeft = !onAMonitor(std::int64_t{view.rect.left} - 1, point.y);
    view.openBottom = !onAMonitor(point.x, bottom);
    view.openRight = !onAMonitor(right, point.y);
    return view;
  }

  std::set<int> held;
  std::set<int> reported;  // pressed since the last query without being held now
  std::optional<Point> cursor = Point{0, 0};
  std::optional<std::string> title;
  std::optional<std::wstring> imagePath;
  int imagePathReads = 0;
  // The primary monitor first, as the system lists it.
  std::vector<Bounds> monitors{{0, 0, 1280, 1024}};

 private:
  // How far a point lies outside a rectangle, squared; 0 on it. A double holds the square of
  // any distance between 32-bit points.
  static double distance(Point p, const Bounds& m) {
    const std::int64_t dx = std::max<std::int64_t>(
        {std::int64_t{m.left} - p.x, 0, p.x - (std::int64_t{m.left} + m.width - 1)});
    const std::int64_t dy = std::max<std::int64_t>(
        {std::int64_t{m.top} - p.y, 0, p.y - (std::int64_t{m.top} + m.height - 1)});
    return double(dx) * double(dx) + double(dy) * double(dy);
  }
  bool onAMonitor(std::int64_t x, std::int64_t y) const {
    return std::any_of(monitors.begin(), monitors.end(), [x, y](const Bounds& m) {
      return x >= m.left && x < std::int64_t{m.left} + m.width && y >= m.top &&
             y < std::int64_t{m.top} + m.height;
    });
  }
};

}  // namespace qm
