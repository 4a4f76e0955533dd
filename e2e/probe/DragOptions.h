#pragma once

#include <windows.h>

enum class DragOffer { kVirtualFile, kUrlOnly, kFileDrop };
enum class ContentsMedium { kHGlobal, kStream };

// What the playing browser drags and where it takes it, from "key=value" arguments.
struct DragOptions {
  char title[512] = {};
  // For titles code page 932 cannot hold, as Edge's U+200B between its words.
  wchar_t unicodeTitle[512] = {};
  DragOffer offer = DragOffer::kVirtualFile;
  wchar_t name[MAX_PATH] = {};
  char file[MAX_PATH] = {};
  ULONGLONG fileBytes = 0;
  ContentsMedium medium = ContentsMedium::kHGlobal;
  bool sizeGiven = false;
  ULONGLONG size = 0;
  // The descriptor announces no size at all, as some sources do for content they stream.
  bool noSize = false;
  wchar_t url[1024] = L"https://example.com/images/photo.jpg";
  POINT edge = {1279, 300};
  char targetClass[256] = "TForm1";
  bool offsetGiven = false;
  int offset = 0;
  bool stay = false;
  // More time for the target's Drop than reading the file needs: a target that also converts a
  // large picture there.
  ULONGLONG dropExtraMs = 0;
  // Deletes the offered file when the last reference to the data goes, as a browser deletes the
  // temporary copy it offered.
  bool deleteOnRelease = false;
  // Offers asynchronous transfer, as Chromium's data object does: a target that takes it gets
  // its drop back at once and reports the outcome with EndOperation.
  bool async = false;
};

bool ParseDragOptions(int count, char** arguments, DragOptions* options);
