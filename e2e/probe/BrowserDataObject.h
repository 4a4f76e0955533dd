#pragma once

#include <windows.h>

#include "DragOptions.h"

// What a browser's page hands to DoDragDrop for an image: the formats the options choose,
// each rendered afresh on every GetData. Returned with one reference held by the caller.
IDataObject* CreateBrowserDataObject(const DragOptions& options);
