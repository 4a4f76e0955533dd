#include "platform/win32/Win32Sound.h"

#include <mmsystem.h>

#include <atomic>

#include "platform/win32/Win32LateFunction.h"

namespace qm {
namespace {

using PlaySoundFunction = decltype(PlaySoundW);

// Set once the library is in; read by the window's thread, written by a loading thread.
std::atomic<PlaySoundFunction*> loadedPlaySound{nullptr};

PlaySoundFunction* loadPlaySound() {
  PlaySoundFunction* play = lateFunction<PlaySoundFunction>(L"winmm.dll", "PlaySoundW");
  if (play) loadedPlaySound.store(play);
  return play;
}

struct PendingSound {
  std::wstring path;
  DWORD flags;
};

DWORD WINAPI loadThenPlay(void* parameter) {
  const PendingSound* sound = static_cast<PendingSound*>(parameter);
  if (PlaySoundFunction* play = loadPlaySound()) play(sound->path.c_str(), nullptr, sound->flags);
  delete sound;
  return 0;
}

}  // namespace

void playSoundFile(const std::wstring& path, DWORD flags) {
  if (PlaySoundFunction* play = loadedPlaySound.load()) {
    play(path.c_str(), nullptr, flags);
    return;
  }
  if ((flags & SND_ASYNC) == 0) {
    // The caller waits for the sound anyway.
    if (PlaySoundFunction* play = loadPlaySound()) play(path.c_str(), nullptr, flags);
    return;
  }
  auto* sound = new PendingSound{path, flags};
  HANDLE thread = CreateThread(nullptr, 0, loadThenPlay, sound, 0, nullptr);
  if (thread) {
    CloseHandle(thread);
  } else {
    delete sound;  // no thread, no sound: the save itself is done and was said
  }
}

}  // namespace qm
