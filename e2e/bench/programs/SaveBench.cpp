// qmbench: times saves made by the program's own drop handling under Wine, with the program's
// windows, settings and files as they are when it runs. Each use first gets ready (Wine's start,
// the program's windows), prints "ready" and waits for a line on its input: the driver then puts
// the target folder in the state every side of a comparison starts from, and the clock starts.
//   qmbench MODE FILE  drops FILE (a Windows path) on the first folder of the settings file
//                      beside qmbench.exe in save mode MODE (0..2), as WM_DROPFILES would, and
//                      prints the milliseconds from the drop until the saved notice is up, the
//                      CPU time the process spent meanwhile, and the same two figures for the
//                      copies made inside the save: "WALL CPU COPYWALL COPYCPU"
//   qmbench copyfile FROM TO   "WALL CPU" for the system's CopyFile
//   qmbench copywhole FROM TO  and for the program's own copy alone, without the drop around it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ImageConverter.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Interaction.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32UserRegistry.h"
#include "platform/win32/Win32WholeCopy.h"
#include "platform/win32/Win32Worker.h"
#include "shell/Application.h"

namespace {

class BenchDrop : public qm::DroppedFiles {
 public:
  explicit BenchDrop(std::string path) : path_(std::move(path)) {}
  qm::EncodedText firstPath() override { return path_; }
  // The path is given, so it is always read.
  std::uint32_t readError() const override { return 0; }
  void finish() override {}

 private:
  std::string path_;
};

// Wall and CPU time since its making; on a busy machine the CPU time is the steadier.
class Stopwatch {
 public:
  Stopwatch() : cpu_(cpuTime()) { QueryPerformanceCounter(&started_); }
  double wallMs() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  }
  double cpuMs() const { return static_cast<double>(cpuTime() - cpu_) / 10000.0; }

 private:
  // User and kernel time of the whole process, in 100 ns units.
  static ULONGLONG cpuTime() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto units = [](FILETIME time) {
      return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return units(kernel) + units(user);
  }

  LARGE_INTEGER started_;
  ULONGLONG cpu_;
};

// The program's files, with the time its copies take added up: what a save spends beyond them
// is the rest of its road.
class TimedFiles : public qm::Win32FileSystem {
 public:
  qm::CopyOutcome copyFile(const qm::EncodedText& from, const qm::EncodedText& to,
                           bool failIfExists) override {
    const Stopwatch stopwatch;
    const qm::CopyOutcome outcome = Win32FileSystem::copyFile(from, to, failIfExists);
    copyWallMs += stopwatch.wallMs();
    copyCpuMs += stopwatch.cpuMs();
    return outcome;
  }

  double copyWallMs = 0;
  double copyCpuMs = 0;
};

// Everything before the clock is done; the driver says when the clock starts.
bool waitForGo() {
  std::printf("ready\n");
  std::fflush(stdout);
  char line[16];
  return std::fgets(line, sizeof line, stdin) != nullptr;
}

int TimeCopy(const std::string& how, const char* from, const char* to) {
  if (!waitForGo()) return 1;
  const Stopwatch stopwatch;
  const DWORD error = how == "copyfile"
                          ? (CopyFileA(from, to, TRUE) ? 0 : GetLastError())
                          : qm::copyWhole(*qm::toWide(from, qm::TextEncoding::Cp932),
                                          *qm::toWide(to, qm::TextEncoding::Cp932), true)
                                .error;
  const double wall = stopwatch.wallMs();
  const double cpu = stopwatch.cpuMs();
  if (error != 0) {
    std::fprintf(stderr, "qmbench: %s failed with %lu\n", how.c_str(), error);
    return 1;
  }
  std::printf("%.2f %.2f\n", wall, cpu);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && (std::string(argv[1]) == "copyfile" || std::string(argv[1]) == "copywhole")) {
    return TimeCopy(argv[1], argv[2], argv[3]);
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: qmbench MODE FILE | qmbench copyfile|copywhole FROM TO\n");
    return 2;
  }
  qm::Win32Toolkit toolkit(GetModuleHandleA(nullptr), "Quillmarten");
  qm::Win32Input input;
  TimedFiles files;
  qm::Win32Interaction interaction(toolkit.owner());
  qm::Win32UserRegistry registry;
  qm::Win32ImageConverter images;
  qm::Win32Worker worker;
  qm::Platform platform{toolkit, input, files, interaction, registry, images, worker};
  qm::Application app(platform);
  app.store().setSaveMode(static_cast<std::int16_t>(std::atoi(argv[1])));

  // The pointer is where the drop lands: put the first panel under it.
  const std::optional<qm::Point> pointer = input.cursorPos();
  if (!pointer) return 1;
  app.Form1().window().setTop(pointer->y);

  // The notice once up and down, as after the program's first save: its window's first showing
  // in a process costs far more than any other, and belongs to no copy.
  app.Form4().window().setVisible(true);
  app.Form4().window().setVisible(false);

  BenchDrop drop(argv[2]);
  if (!waitForGo()) return 1;
  const Stopwatch stopwatch;
  app.Form1().window().onDropFiles(drop);
  const double wall = stopwatch.wallMs();
  const double cpu = stopwatch.cpuMs();
  if (!app.Form4().window().visible()) {
    std::fprintf(stderr, "qmbench: no saved notice\n");
    return 1;
  }
  std::printf("%.2f %.2f %.2f %.2f\n", wall, cpu, files.copyWallMs, files.copyCpuMs);
  return 0;
}
