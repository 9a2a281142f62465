#pragma once
// Helpers shared by the tests: a temporary program folder and a clock driven by hand.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"

namespace testsupport {

// Where the tests' folders go: $TOLVANE_TEST_TMP when set, otherwise the memory file system
// /dev/shm where there is one (the program makes every file it writes durable, and a flush to
// disk per write is most of a test's time on a disk), otherwise the system's temporary folder.
inline std::filesystem::path TestTempRoot() {
  if (const char* chosen = std::getenv("TOLVANE_TEST_TMP"); chosen && *chosen) return chosen;
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0)
    return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// A fresh folder under TestTempRoot(), removed with the object.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = TestTempRoot() /
            ("tolvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A clock that reads what the test set; `step` is added after every read of the timer, so
// that busy waits come to an end. `reads` counts the reads of the timer, so that a test can
// wait for a timer of the program to have looked at the clock.
class FakeClock : public vb::Clock {
 public:
  float timer = 0;
  float step = 0;
  double now = 46001.5;  // 12/10/2025 12:00:00 PM
  long reads = 0;
  FakeClock() { vb::SetClock(this); }
  ~FakeClock() override { vb::SetClock(nullptr); }
  float SecondsSinceMidnight() override {
    ++reads;
    float t = timer;
    timer += step;
    return t;
  }
  double Now() override { return now; }
};

// The settings store files kept aside in `folder` ("registry.ini.corrupt-..."), by name.
inline std::vector<std::filesystem::path> AsideStores(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with("registry.ini.corrupt-"))
      found.push_back(entry.path());
  std::sort(found.begin(), found.end());
  return found;
}

// The number of the run-time error `f` raises; 0 when it raises none.
inline long ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.number;
  }
  return 0;
}

// Reads a whole text file ("" when missing).
inline std::string ReadText(const std::filesystem::path& file) {
  std::string text;
  vb::ReadWholeFile(file, text);
  return text;
}

}  // namespace testsupport
