#pragma once
// Folders on which writes fail as on a real machine: a full disk, and a folder that cannot be
// written. Both are small tmpfs mounts when the system lets the tests mount (root with the
// right to mount); otherwise a full disk is a file-size limit of zero for this process (every
// write to a file then fails, as on a full disk), and an unwritable folder is one without write
// permission, which only holds for a user other than root. `available()` is false (with
// `why()`) when neither way works here: the test then skips with that reason.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

class BrokenFolder {
 public:
  enum class Kind { Full, ReadOnly };

  // Makes `folder` (created when missing) broken in the given way. Files the test wants in it
  // beforehand are written by `prepare` before it breaks.
  template <class F>
  BrokenFolder(const std::filesystem::path& folder, Kind kind, F&& prepare)
      : folder_(folder), kind_(kind) {
    std::filesystem::create_directories(folder_);
    const bool mounted =
        ::mount("tmpfs", folder_.c_str(), "tmpfs", 0,
                kind_ == Kind::Full ? "size=64k,mode=0777" : "size=4m,mode=0777") == 0;
    if (mounted) {
      mounted_ = true;
      prepare();
      if (kind_ == Kind::Full) {
        FillUp();
      } else if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        why_ = std::string("cannot make the folder read-only: ") + std::strerror(errno);
      }
      way_ = kind_ == Kind::Full ? "a full 64 KB tmpfs" : "a read-only 4 MB tmpfs";
      return;
    }
    prepare();
    if (kind_ == Kind::Full) {
      ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
      oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
      rlimit none = savedLimit_;
      none.rlim_cur = 0;
      limited_ = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
      if (!limited_) why_ = "neither a tmpfs mount nor a file-size limit is possible here";
      way_ = "a file-size limit of zero";
    } else if (::geteuid() == 0) {
      why_ = "root writes into any folder, and a read-only mount is not permitted here";
    } else {
      std::filesystem::permissions(folder_, std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_exec);
      chmodded_ = true;
      way_ = "a folder without write permission";
    }
  }
  ~BrokenFolder() {
    if (limited_) {
      ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
      ::signal(SIGXFSZ, oldHandler_);
    }
    if (chmodded_) std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  BrokenFolder(const BrokenFolder&) = delete;
  BrokenFolder& operator=(const BrokenFolder&) = delete;

  bool available() const { return why_.empty(); }
  const std::string& why() const { return why_; }
  // How the folder was broken, for the test's output.
  const std::string& way() const { return way_; }

 private:
  // Fills the mounted disk up to its last byte.
  void FillUp() {
    std::ofstream filler(folder_ / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size())) {
    }
    filler.clear();
    for (int i = 0; i < 4096 && filler.put('f'); ++i) {
    }
  }

  std::filesystem::path folder_;
  Kind kind_;
  bool mounted_ = false, limited_ = false, chmodded_ = false;
  rlimit savedLimit_{};
  sighandler_t oldHandler_ = SIG_DFL;
  std::string why_, way_;
};

}  // namespace testsupport
