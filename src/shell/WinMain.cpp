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
#include "platform/win32/Win32Toolkit.h"
#include "shell/Application.h"

namespace {

int runProgram(HINSTANCE instance) {
  qm::Win32Toolkit toolkit(instance, qm::kAppTitle);
  qm::Win32Input input;
  qm::Win32FileSystem files;
  qm::Win32Interaction interaction(toolkit.owner());
  qm::Win32ImageConverter images;
  qm::Platform platform{toolkit, input, files, interaction, images};
  try {
    qm::Application application(platform);
    toolkit.runMessageLoop();
  } catch (const std::exception& error) {
    MessageBoxA(toolkit.owner(), error.what(), qm::kAppTitle, MB_OK | MB_ICONERROR);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, qm::kMutexName);
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
    MessageBoxA(nullptr, error.what(), qm::kAppTitle, MB_OK | MB_ICONERROR);
  }
  OleUninitialize();
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return exitCode;
}
