// Where the drop window's refresh shows the stored save mode and drop window size to the user:
// the check marks of the tray menu.
#pragma once

#include <cstdint>

namespace qm {

class SettingsMarks {
 public:
  virtual ~SettingsMarks() = default;
  virtual void markSaveMode(std::int16_t saveMode) = 0;
  virtual void markDropWindowSize(std::int16_t dropWindowSize) = 0;
};

}  // namespace qm
