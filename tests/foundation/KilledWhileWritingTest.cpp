// The program killed (SIGKILL) while it writes its settings, three hundred times at random
// moments: every settings file is afterwards either the one before the write or the one after,
// never half-written, empty or missing, and the temporary file a killed write leaves is cleared
// by the next write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/ini/Profile.h"
#include "platform/registry/StoreText.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/Files.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Large enough that a write takes several system calls' time.
const std::string kPad(16 * 1024, 'p');

std::string IniText(long generation) {
  return "[Settings]\nPad=" + kPad + "\nGeneration=" + std::to_string(generation) + "\n";
}

// Writes new generations of both files, as fast as it can, until it is killed.
[[noreturn]] void WriteForever(const fs::path& iniFile, const fs::path& store, long from) {
  reg::resetForTest();
  reg::SetStoreFile(store);
  reg::HKEY key = 0;
  if (reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key) !=
      reg::ERROR_SUCCESS)
    _exit(2);
  for (long generation = from;; ++generation) {
    if (!ini::WritePrivateProfileString("Settings", "Generation", std::to_string(generation),
                                        iniFile))
      _exit(3);
    if (reg::RegSetValueEx(key, "Generation", reg::REG_SZ, std::to_string(generation) + '\0') !=
        reg::ERROR_SUCCESS)
      _exit(4);
  }
}

// The generation a complete INI file holds; -1 for anything else.
long IniGeneration(const fs::path& file) {
  std::string text;
  if (!vb::ReadWholeFile(file, text)) return -1;
  const std::string value = ini::GetPrivateProfileString("Settings", "Generation", "", 64, file);
  if (value.empty()) return -1;
  const long generation = std::stol(value);
  return text == IniText(generation) ? generation : -1;
}

// The generation a complete store holds; -1 for anything else.
long StoreGeneration(const fs::path& file) {
  std::string text;
  if (!vb::ReadWholeFile(file, text)) return -1;
  reg::detail::Key root;
  size_t badLine = 0;
  if (!reg::detail::ParseStore(text, root, badLine)) return -1;
  reg::detail::Key* key = &root;
  for (const char* name : {"Software", "Velmora", "Tolvane"}) {
    key = reg::detail::FindSubkey(*key, name);
    if (!key) return -1;
  }
  const reg::detail::Value* pad = reg::detail::FindValue(*key, "Pad");
  const reg::detail::Value* generation = reg::detail::FindValue(*key, "Generation");
  if (!pad || pad->data != kPad + '\0' || !generation) return -1;
  return std::stol(generation->data);
}

// One folder of settings files and the writer at work on it.
struct Lane {
  std::unique_ptr<testsupport::TempDir> dir = std::make_unique<testsupport::TempDir>();
  fs::path iniFile = *dir / "Tolvane.ini";
  fs::path store = *dir / "registry.ini";
  long iniAt = 0, storeAt = 0;
  int rounds = 0;
  pid_t writer = -1;
  std::chrono::steady_clock::time_point killAt;
};

// The files of a lane as the test starts: generation 0 of both.
void Prepare(Lane& lane) {
  ASSERT_TRUE(vb::WriteFileAtomic(lane.iniFile, IniText(0)));
  reg::resetForTest();
  reg::SetStoreFile(lane.store);
  reg::HKEY key = 0;
  ASSERT_EQ(reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key), 0);
  ASSERT_EQ(reg::RegSetValueEx(key, "Pad", reg::REG_SZ, kPad + '\0'), 0);
  ASSERT_EQ(reg::RegSetValueEx(key, "Generation", reg::REG_SZ, std::string("0") + '\0'), 0);
  reg::resetForTest();
}

// What a killed writer left in its lane: every file whole and no older than before, at most one
// temporary file of each settings file, that of the last writer killed while writing it (every
// write clears those of writers gone before).
void CheckAfterKill(Lane& lane) {
  const long ini = IniGeneration(lane.iniFile);
  const long reg = StoreGeneration(lane.store);
  ASSERT_GE(ini, lane.iniAt) << "round " << lane.rounds << ": the INI file is damaged or older";
  ASSERT_GE(reg, lane.storeAt) << "round " << lane.rounds << ": the store is damaged or older";
  lane.iniAt = ini;
  lane.storeAt = reg;
  int iniTemps = 0, storeTemps = 0;
  for (const auto& entry : fs::directory_iterator(lane.dir->path())) {
    const std::string name = entry.path().filename().string();
    if (name == "Tolvane.ini" || name == "registry.ini") continue;
    iniTemps += name.starts_with(".Tolvane.ini.tmp-");
    storeTemps += name.starts_with(".registry.ini.tmp-");
    ASSERT_TRUE(name.starts_with(".Tolvane.ini.tmp-") || name.starts_with(".registry.ini.tmp-"))
        << "round " << lane.rounds << ": left behind " << name;
  }
  ASSERT_LE(iniTemps, 1) << "round " << lane.rounds;
  ASSERT_LE(storeTemps, 1) << "round " << lane.rounds;
}

// 300 writers killed at random moments, in lanes of their own folders that run side by side (one
// writer at a time in each lane), so that the kills do not wait on one another.
TEST(KilledWhileWriting, EverySettingsFileIsTheOldOrTheNewOne) {
  constexpr int kLanes = 6;
  constexpr int kRoundsPerLane = 50;
  std::vector<Lane> lanes(kLanes);
  for (Lane& lane : lanes) {
    Prepare(lane);
    if (HasFatalFailure()) return;
  }
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> micros(0, 15000);
  auto start = [&](Lane& lane) {
    lane.writer = fork();
    ASSERT_GE(lane.writer, 0);
    if (lane.writer == 0)
      WriteForever(lane.iniFile, lane.store, std::max(lane.iniAt, lane.storeAt) + 1);
    lane.killAt = std::chrono::steady_clock::now() + std::chrono::microseconds(micros(random));
  };
  for (Lane& lane : lanes) {
    start(lane);
    if (HasFatalFailure()) return;
  }
  int kills = 0;
  for (int running = kLanes; running > 0;) {
    // The lane whose writer is to be killed next.
    Lane& lane = *std::min_element(lanes.begin(), lanes.end(), [](const Lane& a, const Lane& b) {
      return (a.writer > 0 ? a.killAt : std::chrono::steady_clock::time_point::max()) <
             (b.writer > 0 ? b.killAt : std::chrono::steady_clock::time_point::max());
    });
    std::this_thread::sleep_until(lane.killAt);
    kill(lane.writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(lane.writer, &status, 0), lane.writer);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << WEXITSTATUS(status);
    lane.writer = -1;
    ++kills;
    CheckAfterKill(lane);
    if (HasFatalFailure()) return;
    if (++lane.rounds < kRoundsPerLane) {
      start(lane);
      if (HasFatalFailure()) return;
    } else {
      --running;
    }
  }
  for (Lane& lane : lanes) {
    // One more write of each clears what the last killed writer left.
    ASSERT_TRUE(ini::WritePrivateProfileString("Settings", "Generation", "1", lane.iniFile));
    reg::resetForTest();
    reg::SetStoreFile(lane.store);
    reg::HKEY key = 0;
    ASSERT_EQ(reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key), 0);
    ASSERT_EQ(reg::RegSetValueEx(key, "Generation", reg::REG_SZ, std::string("1") + '\0'), 0);
    reg::resetForTest();
    EXPECT_EQ(std::distance(fs::directory_iterator(lane.dir->path()), fs::directory_iterator()), 2);
  }
  EXPECT_EQ(kills, kLanes * kRoundsPerLane);
  // The writers got somewhere: the kills fell at many moments of their work.
  long iniAt = 0, storeAt = 0;
  for (const Lane& lane : lanes) {
    EXPECT_GT(lane.iniAt, 10);
    EXPECT_GT(lane.storeAt, 10);
    iniAt = std::max(iniAt, lane.iniAt);
    storeAt = std::max(storeAt, lane.storeAt);
  }
  std::cout << kills << " kills in " << kLanes << " lanes; most generations written: INI " << iniAt
            << ", store " << storeAt << "\n";
}

}  // namespace
