#pragma once
// What the fuzz targets share: a scratch folder of their own and a way to stop on a broken
// promise with a message libFuzzer keeps beside the input.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzsupport {

// A folder for this process's files, in memory where the system offers it (files are written
// on every run), removed at exit.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::filesystem::path mine = base / ("tolvane-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(mine);
    static const std::filesystem::path forRemoval = mine;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(forRemoval, ignored);
    });
    return mine;
  }();
  return folder;
}

// Stops the run as a finding when `ok` is false.
inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace fuzzsupport
