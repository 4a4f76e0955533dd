#pragma once

// One line per thing that happened, "event t=MS key=value...", flushed at once so the harness
// can wait for it while the program runs; t counts from the program's first event.
void PrintEvent(const char* event, const char* format, ...) __attribute__((format(printf, 2, 3)));
void PrintEvent(const char* event);
