#pragma once

#include <windows.h>

// Whether a window's thread still handles sent messages: "answers 1 ms=N" within ten seconds,
// "answers 0" when it does not.
int PrintWhetherAnswers(HWND window);
