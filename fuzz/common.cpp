#include "fuzz/common.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* dir = std::getenv("FUZZ_WRITE_SEEDS");
  if (!dir) return 0;
  int n = 0;
  for (const auto& seed : garam::fuzz::Seeds()) {
    std::ofstream f(std::string(dir) + "/seed-" + std::to_string(n++), std::ios::binary);
    f.write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
    if (!f) {
      std::fprintf(stderr, "cannot write seed %d into %s\n", n, dir);
      std::exit(1);
    }
  }
  std::printf("%d seeds written to %s\n", n, dir);
  std::exit(0);
}
