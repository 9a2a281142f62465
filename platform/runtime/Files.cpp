#include "platform/runtime/Files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace vb {

namespace {

std::optional<fs::path>& programFolderOverride() {
  static std::optional<fs::path> folder;
  return folder;
}

std::optional<fs::path>& currentFolder() {
  static std::optional<fs::path> folder;
  return folder;
}

fs::path defaultProgramFolder() {
  if (const char* home = std::getenv("TOLVANE_HOME"); home && *home) return fs::path(home);
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
  return fs::current_path(ec);
}

}  // namespace

fs::path ProgramFolder() {
  auto& folder = programFolderOverride();
  if (!folder) folder = defaultProgramFolder();
  return *folder;
}

void SetProgramFolder(const fs::path& folder) { programFolderOverride() = folder; }

fs::path CurDir() {
  auto& folder = currentFolder();
  return folder ? *folder : ProgramFolder();
}

void ChDir(const fs::path& folder) { currentFolder() = folder; }

fs::path ResolveName(const fs::path& folder, std::string_view name) {
  fs::path given(name);
  fs::path dir = given.is_absolute() ? given.parent_path() : folder / given.parent_path();
  fs::path exact = dir / given.filename();
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  std::string wanted = given.filename().string();
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsNoCase(it->path().filename().string(), wanted)) return it->path();
  }
  return exact;
}

fs::path InCurDir(std::string_view name) { return ResolveName(CurDir(), name); }

void AppendLine(const fs::path& file, std::string_view line) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (!out) Raise(err::PathFileAccess);
  out << line << '\n';
  out.close();
  if (!out) Raise(err::PathFileAccess);
}

bool ReadWholeFile(const fs::path& file, std::string& contents) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  // One read of the whole size: no growing buffer (twice the file at its peak) and no copying
  // a character at a time. A file still growing is read on to its end.
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  contents.clear();
  if (!ec && size > 0) {
    contents.resize(static_cast<size_t>(size));
    in.read(contents.data(), static_cast<std::streamsize>(size));
    contents.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) return false;
    if (in.eof()) return true;  // shorter than its size said: all of it is read
  }
  contents.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

namespace {

// The temporary file of a write: hidden, beside the file, named after the file, the process
// and a count, so that a writer killed before its rename leaves a name the next write can
// recognise as its own kind and clear away.
constexpr std::string_view kTempMark = ".tmp-";

fs::path TempName(const fs::path& file) {
  static std::atomic<unsigned> count{0};
  return file.parent_path() / ("." + file.filename().string() + std::string(kTempMark) +
                               std::to_string(::getpid()) + "-" + std::to_string(count++));
}

// Deletes the temporary files of `file` that writers no longer running left behind.
void RemoveStaleTemporaries(const fs::path& file) {
  const std::string prefix = "." + file.filename().string() + std::string(kTempMark);
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const std::string rest = name.substr(prefix.size());
    char* stop = nullptr;
    const long pid = std::strtol(rest.c_str(), &stop, 10);
    if (pid <= 0 || stop == rest.c_str() || *stop != '-') continue;
    if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t n = ::write(fd, contents.data(), contents.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    contents.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

bool WriteFileAtomic(const fs::path& given, std::string_view contents) {
  // On failure errno tells why: the first call that failed set it, and the clean-up keeps it.
  const auto fail = [](int why) {
    errno = why;
    return false;
  };
  // A file marked read-only stays as it is: renaming a new file over it would bypass the mark.
  std::error_code ec;
  fs::path file = given;
  if (fs::is_symlink(fs::symlink_status(given, ec))) {
    file = fs::canonical(given, ec);  // the link stays; its target is replaced
    if (ec) return fail(ec.value());
  }
  struct stat old {};
  const bool existed = ::stat(file.c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return fail(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
  if (existed && (old.st_mode & S_IWUSR) == 0) return fail(EACCES);

  RemoveStaleTemporaries(file);
  const fs::path temp = TempName(file);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return fail(errno);
  // The new file keeps the old one's permissions; the data reaches the disk before the rename,
  // so that neither a crash nor a power cut leaves an empty or half-written file in its place.
  int why = 0;
  const auto check = [&why](bool ok) {
    if (!ok && why == 0) why = errno != 0 ? errno : EIO;
    return ok;
  };
  errno = 0;
  bool ok = check(!existed || ::fchmod(fd, old.st_mode & 07777) == 0) &&
            check(WriteAll(fd, contents)) && check(::fsync(fd) == 0);
  ok = check(::close(fd) == 0) && ok;
  ok = ok && check(::rename(temp.c_str(), file.c_str()) == 0);
  if (!ok) {
    ::unlink(temp.c_str());
    return fail(why);
  }
  return true;
}

}  // namespace vb
