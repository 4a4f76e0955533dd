// OLE for the probe's drag source and drop target, started as a user's program would be even when
// Wine is still bringing up its RPC service for another process that started a moment before.
#pragma once

// True once OLE is initialised on this thread; a final failure is printed as an event.
bool StartOle();
