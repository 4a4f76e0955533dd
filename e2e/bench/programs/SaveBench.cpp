// qmbench: times saves made by the program's own drop handling under Wine, with the program's
// windows, settings and files as they are when it runs.
//   qmbench MODE FILE  drops FILE (a Windows path) on the first folder of the settings file
//                      beside qmbench.exe in save mode MODE (0..2), as WM_DROPFILES would, and
//                      prints the milliseconds from the drop until the saved notice is up
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Interaction.h"
#include "platform/win32/Win32Toolkit.h"
#include "shell/Application.h"

namespace {

class BenchDrop : public qm::DroppedFiles {
 public:
  explicit BenchDrop(std::string path) : path_(std::move(path)) {}
  std::string firstPath() override { return path_; }
  void finish() override {}

 private:
  std::string path_;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qmbench MODE FILE\n");
    return 2;
  }
  qm::Win32Toolkit toolkit(GetModuleHandleA(nullptr), "Quillmarten");
  qm::Win32Input input;
  qm::Win32FileSystem files;
  qm::Win32Interaction interaction(toolkit.owner());
  qm::Platform platform{toolkit, input, files, interaction};
  qm::Application app(platform);
  app.store().setSaveMode(static_cast<std::int16_t>(std::atoi(argv[1])));

  // The pointer is where the drop lands: put the first panel under it.
  const std::optional<qm::Point> pointer = input.cursorPos();
  if (!pointer) return 1;
  app.Form1().window().setTop(pointer->y);

  BenchDrop drop(argv[2]);
  LARGE_INTEGER started, ended;
  QueryPerformanceCounter(&started);
  app.Form1().window().onDropFiles(drop);
  QueryPerformanceCounter(&ended);
  if (!app.Form4().window().visible()) {
    std::fprintf(stderr, "qmbench: no saved notice\n");
    return 1;
  }
  std::printf("%.2f\n", Milliseconds(started, ended));
  return 0;
}
