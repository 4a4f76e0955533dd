#pragma once

#include <windows.h>

// What the harness reads of another process's controls, each printed on stdout; 0 when it could
// be read. Texts go out as hex of their code page 932 bytes.

// How long a control of another process is given to answer: milliseconds as a rule, seconds
// when other work shares the machine's cores. Below the harness's own wait for the probe. Not
// given up early on a thread the system counts as hung: one that has not looked at its messages
// for five seconds, which on a loaded machine a dialog still starting up may not have.
inline constexpr UINT kControlAnswerMs = 20000;

int PrintSystemMessage(DWORD code);
int PrintComboSelection(HWND combo);  // index, tab, the item's text
int PrintText(HWND control);          // what it holds now, typed text included
int PrintItems(HWND list);            // a list box's items, one line each
int PrintRows(HWND list);             // first visible item, item height, client origin
int PrintChecked(HWND button);        // 1 when ticked
int PrintFocus(HWND window);          // the control with the keyboard focus in its thread
// Puts the code page 932 text HEX on the clipboard, for a paste by a real Ctrl+V: X input
// cannot type Japanese into Wine.
int PutOnClipboard(const char* hex);
