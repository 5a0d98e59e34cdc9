// A fresh directory per test, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

#include "data/bytes.h"

namespace garam::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Path of name inside the directory (no separator at the end of the directory part).
  std::string path(const std::string& name = "") const;
  std::string dir() const { return path_.string() + "/"; }
  std::string write(const std::string& name, const Bytes& data) const;

 private:
  std::filesystem::path path_;
};

}  // namespace garam::test
