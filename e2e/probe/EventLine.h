#pragma once

// The performance counter in microseconds: one clock for every process of the Wine server (and,
// under Wine, the system's CLOCK_MONOTONIC_RAW), on which the benchmarks line moments up.
long long CounterMicroseconds();

// One line per thing that happened, "event t=MS key=value...", flushed at once so the harness
// can wait for it while the program runs; t counts from the program's first event, us is
// CounterMicroseconds().
void PrintEvent(const char* event, const char* format, ...) __attribute__((format(printf, 2, 3)));
void PrintEvent(const char* event);
