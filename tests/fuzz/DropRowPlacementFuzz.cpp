// The drop row and the drop window's placement on any pointer, window top, panel height, display
// and window size: never undefined behaviour, a row only where a panel is shown, and the window
// put where the placement table and its few clamps say, worked out here in 64 bits.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>

#include "FuzzCheck.h"
#include "dropwindow/AppearanceSwitches.h"
#include "dropwindow/DropRow.h"
#include "dropwindow/Placement.h"

namespace qm::fuzz {
namespace {

void checkDropSlot(FuzzedDataProvider& input) {
  const auto pointerY = input.ConsumeIntegral<std::int32_t>();
  const auto windowTop = input.ConsumeIntegral<std::int32_t>();
  const auto panelHeight = input.ConsumeIntegral<std::int32_t>();
  const auto filled = input.ConsumeIntegral<std::uint16_t>();  // one bit per slot with a path
  FolderList slots{};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if ((filled >> i) & 1) slots[i].path.assign("C:\\f");
  }

  const std::optional<std::size_t> slot = dropSlot(pointerY, windowTop, panelHeight, slots);
  if (panelHeight <= 0) {
    QM_FUZZ_CHECK(!slot);
    return;
  }
  const std::int64_t row = (std::int64_t{pointerY} - windowTop) / panelHeight;
  std::int64_t shown = 0;
  while (shown < 12 && !slots[static_cast<std::size_t>(shown)].path.empty()) ++shown;
  if (row >= 0 && row < shown) {
    QM_FUZZ_CHECK(slot && static_cast<std::int64_t>(*slot) == row);
  } else {
    QM_FUZZ_CHECK(!slot);
  }
}

Point expectedPlace(const PlacementInput& in) {
  const std::int64_t x = in.pointer.x, y = in.pointer.y;
  const std::int64_t mLeft = in.monitor.left, mTop = in.monitor.top;
  const std::int64_t centredX = x - in.halfPanelWidth > mLeft ? x - in.halfPanelWidth : mLeft;
  const std::int64_t bottomTop = mTop + in.monitor.height - in.height;
  const std::int64_t rightLeft = mLeft + in.monitor.width - in.width;
  std::int64_t left = mLeft, top = mTop;
  if (in.trigger == trigger::kAtPointer) {
    left = std::min(centredX, rightLeft);
    top = std::min(y, bottomTop);
  } else {
    switch (in.trigger) {
      case 1:
        left = centredX;
        break;
      case 3:
        top = y;
        break;
      case 4:
        left = centredX, top = bottomTop;
        break;
      case 6:
        top = bottomTop;
        break;
      case 8:
      case 9:
        left = rightLeft, top = y;
        break;
      case 12:
        left = rightLeft, top = bottomTop;
        break;
      default:
        break;
    }
    left = std::max(left, mLeft);
    top = std::min(top, bottomTop);
  }
  // Only a monitor or window size no system reports puts a corner out of range.
  const auto inRange = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return {inRange(left), inRange(top)};
}

void checkPlacement(FuzzedDataProvider& input) {
  PlacementInput in;
  in.trigger = input.ConsumeIntegral<std::uint8_t>();
  in.pointer = {input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()};
  in.monitor = {input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>(),
                input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()};
  in.width = input.ConsumeIntegral<std::int32_t>();
  in.height = input.ConsumeIntegral<std::int32_t>();
  in.halfPanelWidth = input.ConsumeIntegral<std::int32_t>();
  QM_FUZZ_CHECK(placeDropWindow(in) == expectedPlace(in));
}

}  // namespace
}  // namespace qm::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  qm::fuzz::checkDropSlot(input);
  qm::fuzz::checkPlacement(input);
  return 0;
}
