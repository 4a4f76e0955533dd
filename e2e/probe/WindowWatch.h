#pragma once

// Watches a window of `className` (made hidden beforehand) come up and go again, faster than the
// harness could by asking over and over: prints "ready", then "shown T US" and the window's line
// when it is visible and "hidden T US" when it is not any more, T being GetTickCount64 and US
// CounterMicroseconds(). Given `readFile`, it also prints "read T US" when that file's last
// access time moves (a program has read it), looking after the window in each round, so that a
// read that follows the hiding is never printed before it. Returns 1 when that has not all
// happened within timeoutMs.
int WatchWindow(const char* className, unsigned long timeoutMs, const char* readFile);
