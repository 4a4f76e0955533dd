// qmxmapped: prints the moment each X window is mapped on the screen, as the user would first
// see it, so that the benchmarks can tell when a window is really up rather than when another
// Windows program is told so.
//   qmxmapped SECONDS   prints "ready", then "mapped WIDTHxHEIGHT+X+Y us=N" for every window
//                      mapped on the root or on one of its children (Wine's desktop window),
//                      N on CLOCK_MONOTONIC_RAW, which is Wine's performance counter too
#include <X11/Xlib.h>
#include <poll.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

long long microsecondsNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

// Wine's windows are the root's children, or the children of its desktop window when it has
// one: both are watched.
void watchMapsUnder(Display* display, Window root) {
  XSelectInput(display, root, SubstructureNotifyMask);
  Window rootReturn = None, parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return;
  for (unsigned i = 0; i < count; ++i) XSelectInput(display, children[i], SubstructureNotifyMask);
  if (children) XFree(children);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qmxmapped SECONDS\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  watchMapsUnder(display, DefaultRootWindow(display));
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);
  const long long deadline = microsecondsNow() + std::atoll(argv[1]) * 1000000LL;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (microsecondsNow() < deadline) {
    if (!XPending(display)) {
      poll(&connection, 1, 100);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify) continue;
    // Taken before the geometry is asked for, which is a round trip.
    const long long mapped = microsecondsNow();
    XWindowAttributes shape{};
    if (!XGetWindowAttributes(display, event.xmap.window, &shape)) continue;
    std::printf("mapped %dx%d+%d+%d us=%lld\n", shape.width, shape.height, shape.x, shape.y,
                mapped);
    std::fflush(stdout);
  }
  XCloseDisplay(display);
  return 0;
}
