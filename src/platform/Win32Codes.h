// Windows constants that the program's logic passes through the platform layer. They carry the
// values of the Windows headers so that both builds agree byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// MessageBox styles and answers.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbOkCancel = 0x01;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Error codes reported by file operations.
constexpr std::uint32_t kErrorSuccess = 0;
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorInvalidData = 13;
constexpr std::uint32_t kErrorHandleEof = 38;
constexpr std::uint32_t kErrorFileExists = 80;
constexpr std::uint32_t kErrorDiskFull = 112;
constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorFilenameExcedRange = 206;
constexpr std::uint32_t kErrorNoUnicodeTranslation = 1113;

// PlaySound flags.
constexpr std::uint32_t kSndAsync = 0x0001;
constexpr std::uint32_t kSndNoDefault = 0x0002;
constexpr std::uint32_t kSndFilename = 0x00020000;

// MAX_PATH: the longest path the "A" file functions take, with its terminating zero.
constexpr std::size_t kMaxPath = 260;

}  // namespace qm
