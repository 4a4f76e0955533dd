#pragma once

#include <windows.h>

// Where a browser opens unless told otherwise: large, but clear of the screen's edges and the
// taskbar, so the pointer reaches an edge only when a test moves it there.
inline constexpr RECT kPagePlace{80, 60, 1080, 860};

// Plays a web browser for the drag tests: a top-level window with the given title (code page 932
// bytes) that makes itself the foreground window and runs until its process is ended. Given a
// bitmap file, its page shows that picture in the middle, where a drag starts; else it is blank.
int RunBrowserWindow(const char* title, const RECT& place, const char* picture);

// The page window both browser stand-ins show, of its own class, with param reaching WM_NCCREATE.
HWND CreateBrowserPage(const char* className, WNDPROC proc, const char* title, void* param,
                       const RECT& place = kPagePlace);
