// What a run that was killed, or a machine that stopped, left of a save under way: work files of
// the program's own, which go, and an old file that stood aside for the new one and never came
// back, which is put back at its name. Nothing without the program's prefix is touched.
#pragma once

#include <string>
#include <vector>

namespace qm::leftovers {

// What the sweep asks of the system.
class Calls {
 public:
  virtual ~Calls() = default;
  // The names (no folder) of the files in `folder` that start with the program's prefix.
  virtual std::vector<std::wstring> ownNames(const std::wstring& folder) = 0;
  virtual bool exists(const std::wstring& path) = 0;
  // Gives `from` the name `to`, never over a file there; false when it stayed.
  virtual bool place(const std::wstring& from, const std::wstring& to) = 0;
  virtual void recycle(const std::wstring& path) = 0;
  virtual void remove(const std::wstring& path) = 0;
};

// Clears one folder: `folder` ends without a separator.
void sweep(Calls& calls, const std::wstring& folder);

}  // namespace qm::leftovers
