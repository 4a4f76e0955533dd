#pragma once

// A debug monitor: prints every line a program of the same Wine server writes with
// OutputDebugString, as "PID TEXT", after a line "ready", until it is ended or `seconds` have
// passed. The program under test writes its drop's moments there (Win32DropMoments).
int WatchDebugOutput(unsigned long seconds);
