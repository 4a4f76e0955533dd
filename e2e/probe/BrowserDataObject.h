#pragma once

#include <windows.h>

#include "DragOptions.h"

// What a browser's page hands to DoDragDrop for an image: the formats the options choose,
// each rendered afresh on every GetData. Returned with one reference held by the caller.
// With options.async it offers asynchronous transfer; `operationEnded` is set when the target
// ends the operation it started.
IDataObject* CreateBrowserDataObject(const DragOptions& options, HANDLE operationEnded);
