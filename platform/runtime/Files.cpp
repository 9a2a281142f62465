#include "platform/runtime/Files.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
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
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFileAtomic(const fs::path& file, std::string_view contents) {
  // A file marked read-only stays as it is: renaming a new file over it would bypass the mark.
  std::error_code ec;
  auto status = fs::status(file, ec);
  if (!ec && fs::exists(status) &&
      (status.permissions() & fs::perms::owner_write) == fs::perms::none)
    return false;
  QSaveFile out(QString::fromStdString(file.string()));
  if (!out.open(QIODevice::WriteOnly)) return false;
  qint64 size = static_cast<qint64>(contents.size());
  if (out.write(contents.data(), size) != size) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

}  // namespace vb
