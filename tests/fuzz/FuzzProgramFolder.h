// The program folder of a fuzz target that goes through real files: one per process, and the
// settings file in it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qm::fuzz {

inline const std::filesystem::path& programFolder() {
  namespace fs = std::filesystem;
  static const fs::path folder = [] {
    // A folder in memory, where there is one, keeps the many small reads and writes cheap.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path path = base / ("qm-fuzz-" + std::to_string(getpid()));
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

inline std::filesystem::path settingsFile() {
  return programFolder() / "Quillmarten.dat";
}

inline std::vector<std::uint8_t> readSettingsFile() {
  std::ifstream in(settingsFile(), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

}  // namespace qm::fuzz
