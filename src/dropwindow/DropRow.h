// Which folder a drop lands on, from the pointer's height over the drop window. Only the height
// counts: the panels fill the window's width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "settings/Settings.h"

namespace qm {

// The slot of the folder panel at `pointerY`, or none when no panel is shown there: below the
// last shown panel (the mode label, the tab strip), a row past the twelfth, or more than a panel
// above the window. The row is the distance from the window's top divided by the panel height,
// truncated toward zero, so a pointer less than a panel above the window counts as the first row.
std::optional<std::size_t> dropSlot(std::int32_t pointerY, std::int32_t windowTop,
                                    std::int32_t panelHeight, const FolderList& slots);

}  // namespace qm
