// A dragging program's data object handed from the thread its drop came on to the thread that
// takes the bytes: an object of another program may only be called in the apartment it was
// given to, so it crosses by the system's marshalling.
#pragma once

#include <ole2.h>
#include <windows.h>
#include <wrl/client.h>

namespace qm {

class DataHandOff {
 public:
  // On the drop's thread.
  explicit DataHandOff(IDataObject* data);
  ~DataHandOff();
  DataHandOff(const DataHandOff&) = delete;
  DataHandOff& operator=(const DataHandOff&) = delete;

  // Once, on the thread that takes the bytes; null when the object cannot cross.
  Microsoft::WRL::ComPtr<IDataObject> receive();

 private:
  IStream* marshalled_ = nullptr;
};

}  // namespace qm
