// The save sound. The sound library is not linked: loading it takes a tenth of a second and
// more under load, and most users never set a sound, so an idle program carries it for nothing.
#pragma once

#include <windows.h>

#include <string>

namespace qm {

// PlaySoundW on the file at `path`. A sound played asynchronously never waits for the library:
// the first one is loaded and played on a thread of its own, a little after the call.
void playSoundFile(const std::wstring& path, DWORD flags);

}  // namespace qm
