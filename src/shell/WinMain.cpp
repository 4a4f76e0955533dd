// The process entry: one copy at a time, the windows of the program, the message loop.
#include <ole2.h>
#include <windows.h>

#include <exception>

#include "platform/AppIdentity.h"
#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ImageConverter.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Interaction.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32UserRegistry.h"
#include "platform/win32/Win32Worker.h"
#include "shell/Application.h"

namespace {

void showError(HWND owner, const std::exception& error) {
  MessageBoxW(owner, qm::widen(error.what()).c_str(), qm::widen(qm::kAppTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

int runProgram(HINSTANCE instance) {
  qm::Win32Toolkit toolkit(instance, qm::kAppTitle);
  qm::Win32Input input;
  qm::Win32FileSystem files;
  qm::Win32Interaction interaction(toolkit.owner());
  qm::Win32UserRegistry registry;
  qm::Win32ImageConverter images;
  qm::Win32Worker worker;
  qm::Platform platform{toolkit, input, files, interaction, registry, images, worker};
  try {
    qm::Application application(platform);
    toolkit.runMessageLoop();
  } catch (const std::exception& error) {
    showError(toolkit.owner(), error);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, qm::widen(qm::kMutexName).c_str());
  // Any error here means another copy owns the mutex (or it cannot be had): leave silently.
  if (!mutex || GetLastError() != ERROR_SUCCESS) {
    if (mutex) CloseHandle(mutex);
    return 1;
  }
  OleInitialize(nullptr);
  int exitCode = 0;
  try {
    exitCode = runProgram(instance);
  } catch (const std::exception& error) {
    showError(nullptr, error);
  }
  OleUninitialize();
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return exitCode;
}
