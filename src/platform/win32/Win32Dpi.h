// The pixel density of a window's screen. The per-window functions came with Windows 10 (1607)
// and are missing from older systems and some Wine builds, so they are looked up at run time.
#pragma once

#include <windows.h>

namespace qm {

// GetDpiForWindow where the system has it, else the system's density (LOGPIXELSX).
int windowDpi(HWND hwnd);

// The frame around a client area of `client` for a window at `dpi`: AdjustWindowRectExForDpi
// where the system has it, else AdjustWindowRectEx at the system's density.
void adjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, int dpi);

}  // namespace qm
