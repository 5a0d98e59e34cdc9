// Replacing several of the game's files together, so that a failure at any step leaves each of
// them wholly as it was: the game reads its scenario, map files and executable as one set, and a
// set with one file new and another old is as broken as a half-written file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/bytes.h"

namespace garam {

// A file and the whole image it is to hold.
struct FileImage {
  std::string path;
  Bytes image;
};

// A run of bytes to overwrite at an offset of a file image.
struct FilePatch {
  std::uint64_t offset;
  Bytes bytes;
};

// The steps at which the fault hook is asked.
enum class FileStep { Backup, Write, Rename, Restore, InUse };

// Test seam: asked before every step on a file (and inside FileInUse); true makes that step fail,
// so tests can break an update anywhere. Root ignores file modes, so tests cannot use chmod.
inline bool (*gFileFault)(FileStep step, const std::string& path) = nullptr;
inline bool FileFault(FileStep step, const std::string& path) { return gFileFault && gFileFault(step, path); }

// Replaces every file by its image, all or nothing; the one writer of the game's files. A file
// whose bytes already equal its image is left alone. A file to be replaced that its owner may
// not write (by its permission bits, whoever runs the editor) fails the update before anything
// is made. The others are backed up beside themselves under "<file>.bak", or "<file>.bak1",
// "<file>.bak2"... when that is taken, each image is written to a temporary file beside its file
// with the original's permission bits, and only when every one is written are they renamed over
// their files, in the order given. Backups and temporaries are created new, never over a file
// already there, and on success the backups go. False when any step failed: every file is then
// as it was and no temporary or backup of this update is left, except the backup of a file that
// could not be put back, which stays beside it.
bool ReplaceFiles(const std::vector<FileImage>& files);

// Applies the patches to image; false, with image untouched, when one reaches past its end.
bool ApplyPatches(Bytes& image, const std::vector<FilePatch>& patches);

}  // namespace garam
