// Reading what an OLE drag offers: which of the formats the drop window takes are there, and the
// first file or virtual file, copied out while the dragging program still has them.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>

#include "platform/TakenDrop.h"

namespace qm {

// A file on disk, or a virtual file's name and contents.
bool offersSomethingToSave(IDataObject* data);

// Empty fields when neither is offered. A virtual file of no announced size is read up to one
// byte past `room`, and refused as a full disk beyond it.
TakenDrop takeDrop(IDataObject* data, std::uint64_t room);

}  // namespace qm
