#!/usr/bin/env bash
# Builds the libFuzzer target of the scenario, message and map readers with clang and runs it for
# ${FUZZ_SECONDS:-30} seconds; any crash or sanitizer report fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${FUZZ_DIR:-build-fuzz}"
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  fuzz/scenario_fuzzer.cpp data/*.cpp tests/support/installation.cpp tests/support/exe_builder.cpp \
  tests/support/tempdir.cpp -o "$out/scenario_fuzzer"
ASAN_OPTIONS=detect_leaks=0 "$out/scenario_fuzzer" -max_total_time="${FUZZ_SECONDS:-30}" \
  -max_len=400000 -rss_limit_mb=4096 "$out/corpus"
