#pragma once

#include <windows.h>

// One line per window, tab-separated, so the harness can parse it without guessing:
// kind hwnd pid visible class left top right bottom client-width client-height
// style exstyle owner id title-as-hex. The title goes out as hex because it is
// code page 932 bytes and may hold any byte the harness must compare exactly.
void PrintWindowLine(const char* kind, HWND window);
