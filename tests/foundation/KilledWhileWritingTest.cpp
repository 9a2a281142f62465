// The program killed (SIGKILL) while it writes its settings, a few hundred times at random
// moments: every settings file is afterwards either the one before the write or the one after,
// never half-written, empty or missing, and the temporary file a killed write leaves is cleared
// by the next write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

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

TEST(KilledWhileWriting, EverySettingsFileIsTheOldOrTheNewOne) {
  testsupport::TempDir dir;
  const fs::path iniFile = dir / "Tolvane.ini";
  const fs::path store = dir / "registry.ini";
  ASSERT_TRUE(vb::WriteFileAtomic(iniFile, IniText(0)));
  reg::resetForTest();
  reg::SetStoreFile(store);
  reg::HKEY key = 0;
  ASSERT_EQ(reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key), 0);
  ASSERT_EQ(reg::RegSetValueEx(key, "Pad", reg::REG_SZ, kPad + '\0'), 0);
  ASSERT_EQ(reg::RegSetValueEx(key, "Generation", reg::REG_SZ, std::string("0") + '\0'), 0);
  reg::resetForTest();

  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> micros(0, 15000);
  long iniAt = 0, storeAt = 0;
  int kills = 0;
  for (int round = 0; round < 300; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteForever(iniFile, store, std::max(iniAt, storeAt) + 1);
    std::this_thread::sleep_for(std::chrono::microseconds(micros(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << WEXITSTATUS(status);
    ++kills;

    const long ini = IniGeneration(iniFile);
    const long reg = StoreGeneration(store);
    ASSERT_GE(ini, iniAt) << "round " << round << ": the INI file is damaged or older";
    ASSERT_GE(reg, storeAt) << "round " << round << ": the store is damaged or older";
    iniAt = ini;
    storeAt = reg;
    // At most one temporary file of each settings file is there, that of the last writer
    // killed while writing it: every write clears those of writers gone before.
    int iniTemps = 0, storeTemps = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (name == "Tolvane.ini" || name == "registry.ini") continue;
      iniTemps += name.starts_with(".Tolvane.ini.tmp-");
      storeTemps += name.starts_with(".registry.ini.tmp-");
      ASSERT_TRUE(name.starts_with(".Tolvane.ini.tmp-") || name.starts_with(".registry.ini.tmp-"))
          << "round " << round << ": left behind " << name;
    }
    ASSERT_LE(iniTemps, 1) << "round " << round;
    ASSERT_LE(storeTemps, 1) << "round " << round;
  }
  // One more write of each clears what the last killed writer left.
  ASSERT_TRUE(ini::WritePrivateProfileString("Settings", "Generation", "1", iniFile));
  reg::resetForTest();
  reg::SetStoreFile(store);
  ASSERT_EQ(reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key), 0);
  ASSERT_EQ(reg::RegSetValueEx(key, "Generation", reg::REG_SZ, std::string("1") + '\0'), 0);
  reg::resetForTest();
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
  EXPECT_EQ(kills, 300);
  // The writers got somewhere: the kills fell at many moments of their work.
  EXPECT_GT(iniAt, 10);
  EXPECT_GT(storeAt, 10);
  std::cout << "300 kills; last generations written: INI " << iniAt << ", store " << storeAt
            << "\n";
}

}  // namespace
