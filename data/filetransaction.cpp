#include "data/filetransaction.h"

#include <algorithm>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "data/fileio.h"

namespace garam {
namespace {

// Users keep "<file>.bak" copies of their own beside the game; a backup takes the first name of
// "<file>.bak", "<file>.bak1", "<file>.bak2"... that is free, and gives up after this many.
constexpr int kBackupNames = 1000;

// A file to be replaced, with what the update needs to put it back.
struct Pending {
  const FileImage* file;
  Bytes old;
  unsigned mode = 0;   // its permission bits, which backup and temporary take
  std::string backup;  // the name the backup went under, once made
};

// The permission bits of a file that may be replaced. Its owner's write bit must be set as well
// as access() allowing the write, since access() lets root write anything.
std::optional<unsigned> ReplaceableMode(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || (st.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0)
    return std::nullopt;
  return unsigned(st.st_mode & 07777);
}

std::optional<std::string> WriteBackup(const Pending& p) {
  for (int i = 0; i < kBackupNames; ++i) {
    std::string name = p.file->path + ".bak" + (i == 0 ? std::string() : std::to_string(i));
    switch (WriteNewFile(name, p.old, p.mode)) {
      case NewFile::Written: return name;
      case NewFile::Failed: return std::nullopt;
      case NewFile::Taken: break;
    }
  }
  return std::nullopt;
}

}  // namespace

bool ReplaceFiles(const std::vector<FileImage>& files) {
  std::vector<Pending> changed;
  for (const auto& f : files) {
    auto now = ReadWholeFile(f.path);
    if (!now) return false;
    if (*now == f.image) continue;
    auto mode = ReplaceableMode(f.path);
    if (!mode) return false;
    changed.push_back({&f, std::move(*now), *mode, {}});
  }
  const std::size_t n = changed.size();
  // How far each stage got, for the undo: backups made, temporaries written, files renamed.
  // Every stage creates its files new, so the undo removes only what this update made.
  std::size_t backedUp = 0, written = 0, renamed = 0;
  // Removes the temporaries not renamed and the backups from index from on.
  auto cleanUp = [&](std::size_t from) {
    for (std::size_t i = renamed; i < written; ++i) RemoveFile(TempPathFor(changed[i].file->path));
    for (std::size_t i = from; i < backedUp; ++i) RemoveFile(changed[i].backup);
    return false;
  };

  for (; backedUp < n; ++backedUp) {
    Pending& p = changed[backedUp];
    if (FileFault(FileStep::Backup, p.file->path)) return cleanUp(0);
    auto name = WriteBackup(p);
    if (!name) return cleanUp(0);
    p.backup = std::move(*name);
  }
  for (; written < n; ++written) {
    const Pending& p = changed[written];
    if (FileFault(FileStep::Write, p.file->path) ||
        WriteNewFile(TempPathFor(p.file->path), p.file->image, p.mode) != NewFile::Written)
      return cleanUp(0);
  }
  for (; renamed < n; ++renamed) {
    const std::string& path = changed[renamed].file->path;
    if (!FileFault(FileStep::Rename, path) && RenameFile(TempPathFor(path), path)) continue;
    // Put the replaced files back from their backups, newest first. A backup that cannot be
    // renamed back holds the only copy of its file's old bytes: it stays.
    for (std::size_t i = renamed; i-- > 0;) {
      const Pending& done = changed[i];
      if (!FileFault(FileStep::Restore, done.file->path)) RenameFile(done.backup, done.file->path);
    }
    return cleanUp(renamed);
  }
  for (const auto& p : changed) RemoveFile(p.backup);
  return true;
}

bool ApplyPatches(Bytes& image, const std::vector<FilePatch>& patches) {
  for (const auto& p : patches)
    if (p.offset > image.size() || p.bytes.size() > image.size() - p.offset) return false;
  for (const auto& p : patches) std::copy(p.bytes.begin(), p.bytes.end(), image.begin() + std::ptrdiff_t(p.offset));
  return true;
}

}  // namespace garam
