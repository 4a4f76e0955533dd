#pragma once

// Watches a window of `className` (made hidden beforehand) come up and go again, faster than the
// harness could by asking over and over: prints "ready", then "shown T US" and the window's line
// when it is visible and "hidden T US" when it is not any more, T being GetTickCount64 and US
// CounterMicroseconds(). Another program is told late that a window has come or gone, so these
// say that it happened, not when. Returns 1 when that has not all happened within timeoutMs.
int WatchWindow(const char* className, unsigned long timeoutMs);
