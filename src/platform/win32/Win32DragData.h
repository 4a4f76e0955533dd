// Reading what an OLE drag offers: which of the formats the drop window takes are there, and the
// first file or virtual file, copied out while the dragging program still has them.
#pragma once

#include <ole2.h>
#include <windows.h>

#include "platform/TakenDrop.h"

namespace qm {

// A file on disk, or a virtual file's name and contents.
bool offersSomethingToSave(IDataObject* data);

// Empty fields when neither is offered.
TakenDrop takeDrop(IDataObject* data);

}  // namespace qm
