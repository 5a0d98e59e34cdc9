#include "tests/support/tempdir.h"

#include <atomic>
#include <fstream>
#include <random>

#include <unistd.h>

namespace garam::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("garam-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::path(const std::string& name) const { return (path_ / name).string(); }

std::string TempDir::write(const std::string& name, const Bytes& data) const {
  std::string p = path(name);
  std::filesystem::create_directories(std::filesystem::path(p).parent_path());
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  return p;
}

}  // namespace garam::test
