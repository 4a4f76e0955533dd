// The save sound. The sound library is not linked: loading it takes longer than a tick may wait
// (docs/benchmarks.md), and most users never set a sound, so an idle program would carry it for
// nothing.
#pragma once

#include <windows.h>

#include <string>

namespace qm {

// PlaySoundW on the file at `path`. A sound played asynchronously never waits for the library:
// the first one is loaded and played on a thread of its own, a little after the call.
void playSoundFile(const std::wstring& path, DWORD flags);

}  // namespace qm
