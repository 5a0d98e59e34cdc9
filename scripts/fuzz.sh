#!/usr/bin/env bash
# Builds the libFuzzer target of the readers (scenario, save, message and map files) with clang
# and runs it for ${FUZZ_SECONDS:-30} seconds; any crash or sanitizer report fails the script.
# libFuzzer comes with clang only, hence clang and its runtime here and nowhere else.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "$p"
  fi
done
out="${FUZZ_DIR:-build-fuzz}"
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  fuzz/load_fuzzer.cpp data/*.cpp tests/support/installation.cpp tests/support/exe_builder.cpp \
  tests/support/tempdir.cpp tests/support/save_builder.cpp -o "$out/load_fuzzer"
ASAN_OPTIONS=detect_leaks=0 "$out/load_fuzzer" -max_total_time="${FUZZ_SECONDS:-30}" \
  -max_len=400000 -rss_limit_mb=4096 "$out/corpus"
