#pragma once

// Watches for a window of `className` to be shown and hidden again, faster than the harness
// could by asking over and over: prints "ready", then the window's line when it shows, then
// "hidden MS", how long it was visible. Returns 1 when that has not happened within timeoutMs.
int WatchWindow(const char* className, unsigned long timeoutMs);
