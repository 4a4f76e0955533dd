#include "platform/win32/Win32DataHandOff.h"

namespace qm {

DataHandOff::DataHandOff(IDataObject* data) {
  if (FAILED(CoMarshalInterThreadInterfaceInStream(IID_IDataObject, data, &marshalled_))) {
    marshalled_ = nullptr;
  }
}

DataHandOff::~DataHandOff() {
  // Never received: the reference the stream holds is given back.
  if (!marshalled_) return;
  CoReleaseMarshalData(marshalled_);
  marshalled_->Release();
}

Microsoft::WRL::ComPtr<IDataObject> DataHandOff::receive() {
  Microsoft::WRL::ComPtr<IDataObject> data;
  IStream* marshalled = marshalled_;
  marshalled_ = nullptr;
  if (marshalled) CoGetInterfaceAndReleaseStream(marshalled, IID_PPV_ARGS(&data));
  return data;
}

}  // namespace qm
