#pragma once

#include <cstddef>

// Text crosses the command line and the harness's logs as hex, so that any bytes (code page
// 932, UTF-8, UTF-16) survive both unchanged.
bool ParseHexText(const char* hex, char* out, std::size_t size);
void PrintHexBytes(const void* data, std::size_t size);
// Writes the hex of data into out, cut at out's size, always terminated.
void FormatHex(const void* data, std::size_t size, char* out, std::size_t outSize);
