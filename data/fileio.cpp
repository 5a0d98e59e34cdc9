#include "data/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace garam {
namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  // One status for both questions: the load asks this of every file it reads.
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return std::uint64_t(st.st_size);
}

bool ReadWholeFileInto(const std::string& path, Bytes& data, std::uint64_t maxBytes) {
  if (!FileExists(path)) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // One read into a buffer of the file's size: the save files are over a megabyte and a load
  // should cost little more than the read itself.
  struct stat st {};
  if (::fstat(::fileno(f), &st) == 0 && st.st_size > 0) {
    if (std::uint64_t(st.st_size) > maxBytes) {
      std::fclose(f);
      return false;
    }
    // Only bytes beyond what data already holds are zeroed before the read overwrites them.
    data.resize(std::size_t(st.st_size));
  } else {
    data.clear();
  }
  std::size_t got = data.empty() ? 0 : std::fread(data.data(), 1, data.size(), f);
  bool bad = std::ferror(f) != 0;
  if (!bad && got == data.size()) {
    // The file may have grown since fstat: take the rest too.
    std::uint8_t buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && data.size() <= maxBytes) data.insert(data.end(), buf, buf + n);
    bad = std::ferror(f) != 0 || data.size() > maxBytes;
  } else {
    data.resize(got);
  }
  std::fclose(f);
  return !bad;
}

std::optional<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
  Bytes data;
  if (!ReadWholeFileInto(path, data, maxBytes)) return std::nullopt;
  return data;
}

std::optional<Bytes> ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t n) {
  if (!FileExists(path)) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  Bytes data(n);
  bool ok = std::fseek(f, long(offset), SEEK_SET) == 0 && std::fread(data.data(), 1, n, f) == n;
  std::fclose(f);
  if (!ok) return std::nullopt;
  return data;
}

bool ReadFileStart(const std::string& path, std::uint64_t size, std::initializer_list<std::span<std::uint8_t>> parts) {
  if (path.empty()) return false;
  // Not blocking, so that a pipe in the file's place is refused rather than waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::uint64_t(st.st_size) == size;
  for (auto part = parts.begin(); ok && part != parts.end(); ++part) {
    std::size_t done = 0;
    while (ok && done < part->size()) {
      const ssize_t n = ::read(fd, part->data() + done, part->size() - done);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) done += std::size_t(n);
    }
  }
  ::close(fd);
  return ok;
}

bool WriteFileSynced(const std::string& path, std::span<const std::uint8_t> data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (::fsync(::fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

NewFile WriteNewFile(const std::string& path, std::span<const std::uint8_t> data, unsigned mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) return errno == EEXIST ? NewFile::Taken : NewFile::Failed;
  // fchmod, unlike the mode given to open, is not cut by the umask.
  bool ok = ::fchmod(fd, mode_t(mode)) == 0;
  for (std::size_t done = 0; ok && done < data.size();) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += std::size_t(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) ::unlink(path.c_str());
  return ok ? NewFile::Written : NewFile::Failed;
}

std::string TempPathFor(const std::string& path) { return path + ".tmp-" + std::to_string(::getpid()); }

bool WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> data) {
  std::string tmp = TempPathFor(path);
  bool ok = WriteFileSynced(tmp, data) && RenameFile(tmp, path);
  if (!ok) RemoveFile(tmp);
  return ok;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool PatchFile(const std::string& path, std::uint64_t offset, std::span<const std::uint8_t> data) {
  if (!FileExists(path)) return false;
  auto size = FileSize(path);
  if (!size || offset + data.size() > *size) return false;
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  if (!f) return false;
  bool ok = std::fseek(f, long(offset), SEEK_SET) == 0 &&
            std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

std::string DirOf(const std::string& path) {
  auto p = path.find_last_of('/');
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string NameOf(const std::string& path) {
  auto p = path.find_last_of('/');
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string WithTrailingSeparator(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string ToUpperAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : char(c); });
  return s;
}

std::string ToLowerAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : char(c); });
  return s;
}

namespace {

DirectoryListingScope* gListingScope = nullptr;

// The names of the regular files in dir (a link counts as what it points to); an entry whose
// type cannot be read is left out. nullopt when the listing cannot start or breaks off: it may
// have missed the spelling a search would have chosen. Read with readdir, which costs a fraction
// of the directory iterator: a load lists its directory every time.
std::optional<std::vector<std::string>> ListRegularFiles(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return std::nullopt;
  std::vector<std::string> names;
  bool brokeOff = false;
  for (;;) {
    errno = 0;
    const dirent* e = ::readdir(d);
    if (!e) {
      brokeOff = errno != 0;
      break;
    }
    bool regular = e->d_type == DT_REG;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      struct stat st {};
      regular = ::fstatat(::dirfd(d), e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) names.emplace_back(e->d_name);
  }
  ::closedir(d);
  if (brokeOff) return std::nullopt;
  return names;
}

}  // namespace

DirectoryListingScope::DirectoryListingScope() : outer_(gListingScope) { gListingScope = this; }
DirectoryListingScope::~DirectoryListingScope() { gListingScope = outer_; }

const std::vector<std::string>* DirectoryListingScope::Listing(const std::string& dir) {
  if (auto it = listings_.find(dir); it != listings_.end()) return &it->second;
  auto names = ListRegularFiles(dir);
  // A listing that failed is not kept: the next search lists again, as without a scope.
  if (!names) return nullptr;
  return &listings_.emplace(dir, std::move(*names)).first->second;
}

std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name) {
  std::string d = WithTrailingSeparator(dir);
  // A name with a separator in it is a path below dir, which no listing of dir holds.
  const bool plainName = name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
  const std::vector<std::string>* names = gListingScope && plainName ? gListingScope->Listing(d) : nullptr;
  std::vector<std::string> unscoped;
  if (names) {
    if (std::find(names->begin(), names->end(), name) != names->end()) return d + name;
  } else {
    if (FileExists(d + name)) return d + name;
    auto listed = ListRegularFiles(d);
    if (!listed) return std::nullopt;
    unscoped = std::move(*listed);
    names = &unscoped;
  }
  std::string want = ToUpperAscii(name);
  const std::string* found = nullptr;
  for (const auto& n : *names)
    // Several spellings of one name: take the first in name order, so the choice is stable.
    if (ToUpperAscii(n) == want && (!found || n < *found)) found = &n;
  if (!found) return std::nullopt;
  return d + *found;
}

}  // namespace garam
