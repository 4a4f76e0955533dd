#pragma once

#include <windows.h>

// Plays a web browser for the drag tests: a large top-level window with the given title (code
// page 932 bytes) that makes itself the foreground window and runs until its process is ended.
int RunBrowserWindow(const char* title);

// The page window both browser stand-ins show, of its own class, with param reaching WM_NCCREATE.
HWND CreateBrowserPage(const char* className, WNDPROC proc, const char* title, void* param);
