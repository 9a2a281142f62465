#pragma once
// The memory a piece of work takes at its peak, above what the process held before it: the
// kernel's high-water mark of the resident set, reset before the work (Linux).
#include <time.h>

#include <fstream>
#include <string>

namespace testsupport {

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read.
inline long ProcStatusKb(const std::string& field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

class PeakMemory {
 public:
  // Starts counting: the high-water mark goes back to what the process holds now.
  PeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
    start_ = ProcStatusKb("VmRSS");
  }
  // Whether the kernel keeps the figures.
  bool Known() const { return start_ >= 0 && ProcStatusKb("VmHWM") >= 0; }
  // The peak since the start, above what the process held then, in MB.
  double PeakAboveStartMb() const { return (ProcStatusKb("VmHWM") - start_) / 1024.0; }

 private:
  long start_ = -1;
};

}  // namespace testsupport

namespace testsupport {

// The processor time the calling thread has used, in seconds: what a piece of work costs,
// whatever else the machine runs meanwhile (wall time grows with the load of a parallel test
// run).
inline double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace testsupport
