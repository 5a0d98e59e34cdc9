// File access for the readers and writers. Every operation opens, works and closes within the
// call; nothing stays open between user actions.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/bytes.h"

namespace garam {

bool FileExists(const std::string& path);  // a regular file (a directory is not a file)
std::optional<std::uint64_t> FileSize(const std::string& path);
// nullopt also when the file is longer than maxBytes: a reader of a file kind of bounded size
// never allocates for a far larger one.
std::optional<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxBytes = UINT64_MAX);
// The same into data, whose memory is reused: a file no larger than what data holds is read in
// place, with no allocation and no zeroing first. On false, data holds nothing of use.
bool ReadWholeFileInto(const std::string& path, Bytes& data, std::uint64_t maxBytes = UINT64_MAX);
// Reads up to n bytes at offset; nullopt when the file cannot be opened or is shorter.
std::optional<Bytes> ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t n);
// Fills parts, one after another, from the start of a regular file of exactly size bytes, straight
// from the file into the caller's memory; false when the file is missing, not a regular file, of
// another length, or cannot be read that far.
bool ReadFileStart(const std::string& path, std::uint64_t size, std::initializer_list<std::span<std::uint8_t>> parts);

// Writes the whole image to a temporary file beside path, then renames it over path, so a failed
// write never leaves the file half-written. False when any step failed; path is then as it was.
// Only for the editor's own files (the usage report): the file gets the default mode and no
// backup. The game's files go through ReplaceFiles (data/filetransaction.h).
bool WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> data);
// Creates or truncates path and writes data through to the disk (flushed and synced), so a
// rename that follows publishes a complete file.
bool WriteFileSynced(const std::string& path, std::span<const std::uint8_t> data);
// What creating a file that must be new came to.
enum class NewFile { Written, Taken, Failed };
// Creates path exclusively, so nothing already there (a file of the user's, a link) is ever
// opened, gives it exactly the permission bits mode and writes data through to the disk. Taken
// when the name is in use; Failed leaves nothing behind.
NewFile WriteNewFile(const std::string& path, std::span<const std::uint8_t> data, unsigned mode);
// The temporary file beside path that an atomic replacement writes first.
std::string TempPathFor(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Overwrites n bytes at offset in place (the file keeps its length). For the small patches that
// the game's executable and message file take; false on any failure.
bool PatchFile(const std::string& path, std::uint64_t offset, std::span<const std::uint8_t> data);
bool RemoveFile(const std::string& path);

// The directory part of a path including its trailing separator, and the name part after it.
std::string DirOf(const std::string& path);
std::string NameOf(const std::string& path);
// Ensures a directory string ends in the separator.
std::string WithTrailingSeparator(std::string dir);

// The game's files are named with mixed case; on a case-sensitive file system the side files are
// found by a case-blind match in dir. Returns the full path as found (exact name preferred), so
// the file is written back under the name it already has.
std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name);

// While one lives, FindFileNoCase lists each directory it has to search at most once and matches
// names from that listing: a load looks for its side files in the same directory, several of
// them twice. Only for spans in which no file is created, renamed or removed.
class DirectoryListingScope {
 public:
  DirectoryListingScope();
  ~DirectoryListingScope();
  DirectoryListingScope(const DirectoryListingScope&) = delete;
  DirectoryListingScope& operator=(const DirectoryListingScope&) = delete;

  // The names of the regular files in dir (ending in the separator), listed on the first call
  // that could list it; nullptr while it cannot be listed whole.
  const std::vector<std::string>* Listing(const std::string& dir);

 private:
  DirectoryListingScope* outer_;
  std::map<std::string, std::vector<std::string>> listings_;
};

std::string ToUpperAscii(std::string s);
std::string ToLowerAscii(std::string s);

}  // namespace garam
