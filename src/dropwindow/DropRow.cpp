#include "dropwindow/DropRow.h"

namespace qm {

std::optional<std::size_t> dropSlot(std::int32_t pointerY, std::int32_t windowTop,
                                    std::int32_t panelHeight, const FolderList& slots) {
  if (panelHeight <= 0) return std::nullopt;
  const std::int64_t row = (std::int64_t{pointerY} - windowTop) / panelHeight;
  if (row < 0 || row >= static_cast<std::int64_t>(slots.size())) return std::nullopt;
  // A panel is shown for a slot only when it and every slot before it hold a folder.
  const auto slot = static_cast<std::size_t>(row);
  for (std::size_t i = 0; i <= slot; ++i) {
    if (slots[i].path.empty()) return std::nullopt;
  }
  return slot;
}

}  // namespace qm
