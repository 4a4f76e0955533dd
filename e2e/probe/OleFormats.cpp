#include "OleFormats.h"

#include <shlobj.h>

#include <cstdio>

const OleFormats& RegisteredOleFormats() {
  static const OleFormats formats = {
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_FILEDESCRIPTORW)),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_FILECONTENTS)),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_INETURLW)),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_INETURLA)),
  };
  return formats;
}

void FormatName(CLIPFORMAT format, char* out, int size) {
  if (format == CF_HDROP) {
    std::snprintf(out, size, "CF_HDROP");
  } else if (GetClipboardFormatNameA(format, out, size) == 0) {
    std::snprintf(out, size, "cf%u", static_cast<unsigned>(format));
  }
}
