#pragma once

// Watches a window of `className` (made hidden beforehand) come up and go again, faster than the
// harness could by asking over and over, and optionally a file appear: prints "ready", then
// "file T" when `file` exists, "shown T" and the window's line when it is visible, "hidden T"
// when it is not any more, T being GetTickCount64. Returns 1 when that has not all happened
// within timeoutMs.
int WatchWindow(const char* className, unsigned long timeoutMs, const char* file);
