#include "data/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

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
  std::error_code ec;
  if (!FileExists(path)) return std::nullopt;
  auto n = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return n;
}

std::optional<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
  if (!FileExists(path)) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  // One read into a buffer of the file's size: the save files are over a megabyte and a load
  // should cost little more than the read itself.
  Bytes data;
  struct stat st {};
  if (::fstat(::fileno(f), &st) == 0 && st.st_size > 0) {
    if (std::uint64_t(st.st_size) > maxBytes) {
      std::fclose(f);
      return std::nullopt;
    }
    data.resize(std::size_t(st.st_size));
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
  if (bad) return std::nullopt;
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

std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name) {
  std::string d = WithTrailingSeparator(dir);
  if (FileExists(d + name)) return d + name;
  std::error_code ec;
  std::string want = ToUpperAscii(name);
  std::optional<std::string> found;
  fs::directory_iterator it(d, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code entry;
    if (!it->is_regular_file(entry)) continue;
    std::string n = it->path().filename().string();
    // Several spellings of one name: take the first in name order, so the choice is stable.
    if (ToUpperAscii(n) == want && (!found || d + n < *found)) found = d + n;
  }
  // A listing that broke off may have missed the spelling it would have chosen: like one that
  // could not start, it finds nothing.
  if (ec) return std::nullopt;
  return found;
}

}  // namespace garam
