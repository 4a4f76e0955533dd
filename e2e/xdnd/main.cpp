// qmxdnd: drops files on the X window under a point with the XDND protocol, as a native file
// manager does, so that the end-to-end tests can drop onto the Wine desktop.
//   qmxdnd X Y FILE...   root coordinates, absolute paths; exits 0 once the target has finished
//                        and prints "drop us=N", when it sent the drop on CLOCK_MONOTONIC_RAW,
//                        which is Wine's performance counter too
// It neither moves the pointer nor touches the buttons: the test holds the button itself.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "UriList.h"

namespace {

constexpr long kOurXdndVersion = 5;
constexpr auto kDeadline = std::chrono::seconds(10);

struct Atoms {
  explicit Atoms(Display* display)
      : aware(XInternAtom(display, "XdndAware", False)),
        selection(XInternAtom(display, "XdndSelection", False)),
        enter(XInternAtom(display, "XdndEnter", False)),
        position(XInternAtom(display, "XdndPosition", False)),
        status(XInternAtom(display, "XdndStatus", False)),
        drop(XInternAtom(display, "XdndDrop", False)),
        leave(XInternAtom(display, "XdndLeave", False)),
        finished(XInternAtom(display, "XdndFinished", False)),
        copy(XInternAtom(display, "XdndActionCopy", False)),
        uriList(XInternAtom(display, "text/uri-list", False)),
        targets(XInternAtom(display, "TARGETS", False)) {}
  Atom aware, selection, enter, position, status, drop, leave, finished, copy, uriList, targets;
};

struct Target {
  Window window = None;
  long version = 0;
};

long XdndVersionOf(Display* display, const Atoms& atoms, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  long version = 0;
  if (XGetWindowProperty(display, window, atoms.aware, 0, 1, False, XA_ATOM, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr && count == 1) {
    version = static_cast<long>(*reinterpret_cast<Atom*>(data));
  }
  if (data) XFree(data);
  return version;
}

// The innermost window under the point that takes XDND drops. A file manager would stop at the
// outermost, the Wine desktop; but that window belongs to Wine's explorer.exe, which posts the
// WM_DROPFILES it makes to the program under the point with a handle valid only in its own
// process, and the program crashes reading it. Each Wine top-level window has an X window of
// its own, whose drops its own process takes.
Target FindTarget(Display* display, const Atoms& atoms, int x, int y) {
  const Window root = DefaultRootWindow(display);
  Target found;
  Window parent = root;
  for (;;) {
    int childX = 0, childY = 0;
    Window child = None;
    if (!XTranslateCoordinates(display, root, parent, x, y, &childX, &childY, &child) ||
        child == None) {
      return found;
    }
    if (const long version = XdndVersionOf(display, atoms, child)) found = {child, version};
    parent = child;
  }
}

void SendMessage(Display* display, Window to, Atom type, const long (&data)[5]) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.display = display;
  event.xclient.window = to;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  for (int i = 0; i < 5; ++i) event.xclient.data.l[i] = data[i];
  XSendEvent(display, to, False, NoEventMask, &event);
  XFlush(display);
}

// Hands the list over to whoever asks for the selection, and nothing else.
void AnswerSelectionRequest(Display* display, const Atoms& atoms,
                            const XSelectionRequestEvent& request, const std::string& uriList) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = display;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;
  const Atom property = request.property != None ? request.property : request.target;
  if (request.target == atoms.uriList) {
    XChangeProperty(display, request.requestor, property, atoms.uriList, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(uriList.data()),
                    static_cast<int>(uriList.size()));
    reply.xselection.property = property;
  } else if (request.target == atoms.targets) {
    const Atom offered[] = {atoms.targets, atoms.uriList};
    XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 2);
    reply.xselection.property = property;
  }
  XSendEvent(display, request.requestor, False, NoEventMask, &reply);
  XFlush(display);
}

bool WaitForEvent(Display* display, std::chrono::steady_clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
  return true;
}

long long MonotonicRawMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int Fail(const char* why) {
  std::fprintf(stderr, "qmxdnd: %s\n", why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: qmxdnd X Y FILE...\n");
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  const std::string uriList = FileUriList(std::vector<std::string>(argv + 3, argv + argc));

  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail("cannot open the display");
  const Atoms atoms(display);
  const Target target = FindTarget(display, atoms, x, y);
  if (target.window == None) return Fail("no window under the point takes XDND drops");

  const Window source =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atoms.selection, source, CurrentTime);
  const long version = target.version < kOurXdndVersion ? target.version : kOurXdndVersion;
  const long src = static_cast<long>(source);
  SendMessage(display, target.window, atoms.enter,
              {src, version << 24, static_cast<long>(atoms.uriList), 0, 0});
  SendMessage(display, target.window, atoms.position,
              {src, 0, (static_cast<long>(x) << 16) | (y & 0xFFFF), CurrentTime,
               static_cast<long>(atoms.copy)});

  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  bool dropped = false;
  long long dropSentUs = 0;
  while (WaitForEvent(display, deadline)) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == SelectionRequest) {
      AnswerSelectionRequest(display, atoms, event.xselectionrequest, uriList);
    } else if (event.type == ClientMessage && event.xclient.message_type == atoms.status &&
               !dropped) {
      if ((event.xclient.data.l[1] & 1) == 0) {
        SendMessage(display, target.window, atoms.leave, {src, 0, 0, 0, 0});
        return Fail("the target refused the drop");
      }
      dropSentUs = MonotonicRawMicroseconds();
      SendMessage(display, target.window, atoms.drop, {src, 0, CurrentTime, 0, 0});
      dropped = true;
    } else if (event.type == ClientMessage && event.xclient.message_type == atoms.finished) {
      XCloseDisplay(display);
      std::printf("drop us=%lld\n", dropSentUs);
      return 0;
    }
  }
  return Fail(dropped ? "the target did not finish the drop" : "the target never answered");
}
