#include "platform/win32/Win32Worker.h"

#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <exception>
#include <limits>

#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32WorkProgress.h"

namespace qm {

struct Win32Worker::Job {
  static constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

  explicit Job(const std::function<void()>& toRun) : work(toRun) {}

  const std::function<void()>& work;
  std::exception_ptr error;
  std::atomic<std::uint64_t> done{0};
  std::atomic<std::uint64_t> total{kUnknown};
};

namespace {

thread_local Win32Worker::Job* jobOfThisThread = nullptr;

DWORD WINAPI runJob(void* argument) {
  auto* job = static_cast<Win32Worker::Job*>(argument);
  jobOfThisThread = job;
  // The work may decode through the imaging component and mark downloads through the
  // attachment services, both reached through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  try {
    job->work();
  } catch (...) {
    job->error = std::current_exception();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  jobOfThisThread = nullptr;
  return 0;
}

// Handles the window's messages until `thread` ends. A request to quit that comes meanwhile is
// passed on to the loop outside once the work is done.
void answerUntilDone(HANDLE thread) {
  std::optional<WPARAM> quit;
  while (!quit && MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_ALLINPUT,
                                              MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
    MSG message;
    while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = message.wParam;
      } else {
        handleMessage(message);
      }
    }
  }
  if (!quit) return;
  WaitForSingleObject(thread, INFINITE);
  PostQuitMessage(static_cast<int>(*quit));
}

}  // namespace

void noteBytesComing(std::optional<std::uint64_t> total) {
  if (!jobOfThisThread) return;
  jobOfThisThread->done = 0;
  jobOfThisThread->total = total.value_or(Win32Worker::Job::kUnknown);
}

void noteBytesDone(std::uint64_t count) {
  if (jobOfThisThread) jobOfThisThread->done += count;
}

void Win32Worker::runAside(const std::function<void()>& work) {
  Job job{work};
  running_.push_back(&job);
  HANDLE thread = CreateThread(nullptr, 0, runJob, &job, 0, nullptr);
  if (thread) {
    answerUntilDone(thread);
    CloseHandle(thread);
  } else {
    // Without a thread of its own the work still has to be done.
    runJob(&job);
  }
  running_.pop_back();
  if (job.error) std::rethrow_exception(job.error);
}

std::optional<WorkProgress> Win32Worker::progress() const {
  if (running_.empty()) return std::nullopt;
  const Job& job = *running_.back();
  const std::uint64_t total = job.total;
  WorkProgress progress{job.done, std::nullopt};
  if (total != Job::kUnknown) progress.total = total;
  return progress;
}

}  // namespace qm
