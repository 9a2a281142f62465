// The settings store on a store file of any bytes: its text is read, written back and read
// again, and a few registry calls chosen by the input run on it. Checks that what is written is
// what was read (the written text is the canonical form of the tree), and that every file the
// store writes reads again as the same tree.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "platform/registry/StoreText.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/Files.h"

namespace {

using fuzzsupport::Check;
using reg::detail::Key;

void CheckRoundTrip(const std::string& text) {
  Key root;
  size_t badLine = 0;
  if (!reg::detail::ParseStore(text, root, badLine)) return;
  const std::string written = reg::detail::FormatStore(root);
  Key again;
  Check(reg::detail::ParseStore(written, again, badLine), "the written store reads again");
  Check(reg::detail::FormatStore(again) == written, "the written store reads as it was written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(4096);
  CheckRoundTrip(text);

  const std::filesystem::path folder = fuzzsupport::ScratchFolder();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    std::filesystem::remove_all(entry.path(), ec);
  const std::filesystem::path file = folder / "registry.ini";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  reg::resetForTest();
  reg::SetStoreFile(file);

  reg::HKEY handles[4] = {reg::HKEY_CURRENT_USER, reg::HKEY_CURRENT_USER, reg::HKEY_CURRENT_USER,
                          reg::HKEY_LOCAL_MACHINE};
  for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
    const reg::HKEY key = handles[in.ConsumeIntegralInRange(0, 3)];
    const std::string name = in.ConsumeRandomLengthString(40);
    reg::HKEY opened = 0;
    std::string out;
    uint32_t type = 0, length = 0;
    long rc = 0;
    switch (in.ConsumeIntegralInRange(0, 8)) {
      case 0: rc = reg::RegOpenKeyEx(key, name, &opened); break;
      case 1: rc = reg::RegCreateKeyEx(key, name, &opened); break;
      case 2: rc = reg::RegDeleteKey(key, name); break;
      case 3: rc = reg::RegCloseKey(key); break;
      case 4:
        rc = reg::RegSetValueEx(key, name, in.ConsumeIntegral<uint32_t>() % 12,
                                in.ConsumeRandomLengthString(40));
        break;
      case 5: rc = reg::RegQueryValueEx(key, name, &type, &out, &length); break;
      case 6: rc = reg::RegDeleteValue(key, name); break;
      case 7: rc = reg::RegEnumKey(key, in.ConsumeIntegralInRange(0u, 20u), &out); break;
      case 8: rc = reg::RegEnumValue(key, in.ConsumeIntegralInRange(0u, 20u), &out, &type, &out); break;
    }
    if (rc == reg::ERROR_SUCCESS && opened) handles[in.ConsumeIntegralInRange(0, 2)] = opened;
    (void)reg::StoreProblem();
  }

  // Whatever the calls left on disk is a store that reads and writes as itself.
  std::string stored;
  if (vb::ReadWholeFile(file, stored) && stored != text) {
    Key root;
    size_t badLine = 0;
    Check(reg::detail::ParseStore(stored, root, badLine), "a store the program wrote reads again");
    Check(reg::detail::FormatStore(root) == stored, "a store the program wrote is canonical");
  }
  return 0;
}
