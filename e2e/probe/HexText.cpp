#include "HexText.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool ParseHexText(const char* hex, char* out, std::size_t size) {
  const std::size_t length = std::strlen(hex);
  if (length % 2 != 0 || length / 2 >= size) return false;
  for (std::size_t i = 0; i < length / 2; ++i) {
    char pair[3] = {hex[2 * i], hex[2 * i + 1], '\0'};
    char* end = nullptr;
    out[i] = static_cast<char>(std::strtoul(pair, &end, 16));
    if (end != pair + 2) return false;
  }
  out[length / 2] = '\0';
  return true;
}

void PrintHexBytes(const void* data, std::size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) std::printf("%02x", bytes[i]);
}

void FormatHex(const void* data, std::size_t size, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  std::size_t written = 0;
  for (std::size_t i = 0; i < size && written + 2 < outSize; ++i, written += 2) {
    std::snprintf(out + written, 3, "%02x", bytes[i]);
  }
  out[written] = '\0';
}
