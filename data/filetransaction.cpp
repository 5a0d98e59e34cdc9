#include "data/filetransaction.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "data/fileio.h"

namespace garam {
namespace {

namespace fs = std::filesystem;

std::string BakPath(const std::string& path) { return path + ".bak"; }

// The temporary takes the original's permission bits: a rename must not change who may write
// the game's files.
bool WriteTemporary(const std::string& path, const Bytes& image) {
  const std::string tmp = TempPathFor(path);
  if (FileFault(FileStep::Write, path) || !WriteFileSynced(tmp, image)) return false;
  std::error_code ec;
  auto perms = fs::status(path, ec).permissions();
  if (ec) return false;
  fs::permissions(tmp, perms, fs::perm_options::replace, ec);
  return !ec;
}

}  // namespace

bool ReplaceFiles(const std::vector<FileImage>& files) {
  std::vector<const FileImage*> changed;
  for (const auto& f : files) {
    auto now = ReadWholeFile(f.path);
    if (!now) return false;
    if (*now != f.image) changed.push_back(&f);
  }
  const std::size_t n = changed.size();
  // How far each stage got, for the undo: backups made, temporaries written, files renamed.
  std::size_t backedUp = 0, written = 0, renamed = 0;
  // Removes the temporaries not renamed and the backups from index from on.
  auto cleanUp = [&](std::size_t from) {
    for (std::size_t i = renamed; i < written; ++i) RemoveFile(TempPathFor(changed[i]->path));
    for (std::size_t i = from; i < backedUp; ++i) RemoveFile(BakPath(changed[i]->path));
    return false;
  };

  for (; backedUp < n; ++backedUp) {
    const std::string& path = changed[backedUp]->path;
    if (FileFault(FileStep::Backup, path)) return cleanUp(0);
    if (!CopyFileOver(path, BakPath(path))) {
      ++backedUp;  // a partial copy goes too
      return cleanUp(0);
    }
  }
  for (; written < n; ++written) {
    if (!WriteTemporary(changed[written]->path, changed[written]->image)) {
      ++written;  // a partial temporary goes too
      return cleanUp(0);
    }
  }
  for (; renamed < n; ++renamed) {
    const std::string& path = changed[renamed]->path;
    if (!FileFault(FileStep::Rename, path) && RenameFile(TempPathFor(path), path)) continue;
    // Put the replaced files back from their backups, newest first. A backup that cannot be
    // renamed back holds the only copy of its file's old bytes: it stays.
    for (std::size_t i = renamed; i-- > 0;) {
      const std::string& done = changed[i]->path;
      if (!FileFault(FileStep::Restore, done)) RenameFile(BakPath(done), done);
    }
    return cleanUp(renamed);
  }
  for (const auto* f : changed) RemoveFile(BakPath(f->path));
  return true;
}

bool ApplyPatches(Bytes& image, const std::vector<FilePatch>& patches) {
  for (const auto& p : patches)
    if (p.offset > image.size() || p.bytes.size() > image.size() - p.offset) return false;
  for (const auto& p : patches) std::copy(p.bytes.begin(), p.bytes.end(), image.begin() + std::ptrdiff_t(p.offset));
  return true;
}

}  // namespace garam
