// One message of the window's thread handled as the main loop handles it; the loops that wait for
// work running aside handle theirs the same way, so that dialogs keep their keys there too.
#pragma once

#include <windows.h>

namespace qm {

void handleMessage(MSG& message);

}  // namespace qm
