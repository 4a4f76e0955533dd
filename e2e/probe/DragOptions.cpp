#include "DragOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "HexText.h"

namespace {

bool CopyText(const char* value, char* out, std::size_t size) {
  if (std::strlen(value) >= size) return false;
  std::strcpy(out, value);
  return true;
}

bool ToWide(const char* text, UINT codePage, wchar_t* out, int size) {
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, out, size) > 0;
}

bool ParseNumber(const char* value, long long* out) {
  char* end = nullptr;
  *out = std::strtoll(value, &end, 10);
  return end != value && *end == '\0';
}

bool ParsePoint(const char* value, POINT* out) {
  char* end = nullptr;
  out->x = std::strtol(value, &end, 10);
  if (end == value || *end != ',') return false;
  const char* second = end + 1;
  out->y = std::strtol(second, &end, 10);
  return end != second && *end == '\0';
}

bool FileSize(const char* path, ULONGLONG* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  *size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool ParseOffer(const char* value, DragOffer* out) {
  if (std::strcmp(value, "file") == 0) {
    *out = DragOffer::kVirtualFile;
  } else if (std::strcmp(value, "url") == 0) {
    *out = DragOffer::kUrlOnly;
  } else if (std::strcmp(value, "hdrop") == 0) {
    *out = DragOffer::kFileDrop;
  } else {
    return false;
  }
  return true;
}

bool ParseMedium(const char* value, ContentsMedium* out) {
  if (std::strcmp(value, "hglobal") == 0) {
    *out = ContentsMedium::kHGlobal;
  } else if (std::strcmp(value, "istream") == 0) {
    *out = ContentsMedium::kStream;
  } else {
    return false;
  }
  return true;
}

bool ParseOption(const char* key, const char* value, DragOptions* options) {
  long long number = 0;
  if (std::strcmp(key, "title") == 0) {
    return ParseHexText(value, options->title, sizeof options->title);
  }
  if (std::strcmp(key, "utf8title") == 0) {
    char utf8[sizeof options->unicodeTitle];
    return ParseHexText(value, utf8, sizeof utf8) &&
           ToWide(utf8, CP_UTF8, options->unicodeTitle, 512);
  }
  if (std::strcmp(key, "offer") == 0) return ParseOffer(value, &options->offer);
  if (std::strcmp(key, "name") == 0) {
    char utf8[MAX_PATH * 4];
    return ParseHexText(value, utf8, sizeof utf8) && ToWide(utf8, CP_UTF8, options->name, MAX_PATH);
  }
  if (std::strcmp(key, "file") == 0) {
    return CopyText(value, options->file, sizeof options->file) &&
           FileSize(options->file, &options->fileBytes);
  }
  if (std::strcmp(key, "medium") == 0) return ParseMedium(value, &options->medium);
  if (std::strcmp(key, "size") == 0) {
    options->sizeGiven = ParseNumber(value, &number) && number >= 0;
    options->size = static_cast<ULONGLONG>(number);
    return options->sizeGiven;
  }
  if (std::strcmp(key, "url") == 0) return ToWide(value, CP_ACP, options->url, 1024);
  if (std::strcmp(key, "edge") == 0) return ParsePoint(value, &options->edge);
  if (std::strcmp(key, "target") == 0) {
    return CopyText(value, options->targetClass, sizeof options->targetClass);
  }
  if (std::strcmp(key, "dropms") == 0) {
    if (!ParseNumber(value, &number) || number < 0) return false;
    options->dropExtraMs = static_cast<ULONGLONG>(number);
    return true;
  }
  if (std::strcmp(key, "offset") == 0) {
    options->offsetGiven = ParseNumber(value, &number) && number >= 0;
    options->offset = static_cast<int>(number);
    return options->offsetGiven;
  }
  return false;
}

}  // namespace

bool ParseDragOptions(int count, char** arguments, DragOptions* options) {
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(arguments[i], "stay") == 0) {
      options->stay = true;
      continue;
    }
    if (std::strcmp(arguments[i], "nosize") == 0) {
      options->noSize = true;
      continue;
    }
    if (std::strcmp(arguments[i], "async") == 0) {
      options->async = true;
      continue;
    }
    if (std::strcmp(arguments[i], "deleteonrelease") == 0) {
      options->deleteOnRelease = true;
      continue;
    }
    char key[16] = {};
    const char* equals = std::strchr(arguments[i], '=');
    const std::size_t keyLength = equals ? static_cast<std::size_t>(equals - arguments[i]) : 0;
    if (keyLength == 0 || keyLength >= sizeof key) return false;
    std::memcpy(key, arguments[i], keyLength);
    if (!ParseOption(key, equals + 1, options)) {
      std::fprintf(stderr, "qmprobe: bad option %s\n", arguments[i]);
      return false;
    }
  }
  const bool needsName = options->offer == DragOffer::kVirtualFile;
  const bool needsFile = options->offer != DragOffer::kUrlOnly;
  const bool titled = options->title[0] != '\0' || options->unicodeTitle[0] != L'\0';
  return titled && (!needsName || options->name[0] != L'\0') &&
         (!needsFile || options->file[0] != '\0');
}
