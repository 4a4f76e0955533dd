#pragma once

#include <windows.h>

// The registered clipboard formats a browser built on Chromium offers for an image drag.
struct OleFormats {
  CLIPFORMAT fileDescriptor;
  CLIPFORMAT fileContents;
  CLIPFORMAT urlWide;
  CLIPFORMAT urlAnsi;
};

const OleFormats& RegisteredOleFormats();

// The name a target's log shows for a format: the registered name, or CF_HDROP and friends.
void FormatName(CLIPFORMAT format, char* out, int size);
