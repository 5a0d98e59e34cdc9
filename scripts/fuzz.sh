#!/usr/bin/env bash
# Builds the libFuzzer targets fuzz/*_fuzzer.cpp with clang (ASan and UBSan) and runs each for
# ${FUZZ_SECONDS:-30} seconds from the seed corpus it writes itself; any crash or sanitizer report
# fails the script. libFuzzer comes with clang only, hence clang and its runtime here and nowhere
# else.
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
seconds="${FUZZ_SECONDS:-30}"
# Bounds assertions of the standard containers catch an index one past the end that ASan lets by.
flags=(-std=c++20 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all -D_GLIBCXX_ASSERTIONS -I.)
rm -rf "$out/obj" && mkdir -p "$out/obj"

# Every source compiled once, in parallel: the data layer and the test builders go into one
# archive that each target links.
compile() {
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link -fsanitize-coverage-ignorelist=fuzz/coverage-ignore.txt \
    -c "$1" -o "$out/obj/$(echo "$1" | tr / _).o"
}
pids=()
for src in data/*.cpp tests/support/*.cpp fuzz/*.cpp; do
  compile "$src" & pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done
ar rcs "$out/libfuzzdata.a" "$out"/obj/data_*.o "$out"/obj/tests_support_*.o

targets=()
pids=()
for src in fuzz/*_fuzzer.cpp; do
  t="$(basename "$src" .cpp)"
  targets+=("$t")
  clang++ "${flags[@]}" -fsanitize=fuzzer "$out/obj/fuzz_$t.cpp.o" "$out/obj/fuzz_common.cpp.o" \
    "$out/libfuzzdata.a" -o "$out/$t" & pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done

# The whole-installation target takes whole data files, its seed saves of 1.37 MB included; the
# in-memory ones take what steers their reader (a numbered scenario is up to 55 kB, a small
# message file of every area 10 kB).
max_len() {
  case "$1" in
    load_fuzzer) echo 1400000 ;;
    message_fuzzer) echo 12000 ;;
    *) echo 65536 ;;
  esac
}

export ASAN_OPTIONS=detect_leaks=0
for t in "${targets[@]}"; do
  corpus="$out/corpus/$t"
  mkdir -p "$corpus"
  FUZZ_WRITE_SEEDS="$corpus" "$out/$t" >/dev/null
  # The seeds stay in the corpus though they add no coverage of their own: a whole valid file
  # is where mutations of the whole-file inputs should start.
  "$out/$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -rss_limit_mb=4096 -keep_seed=1 \
    -artifact_prefix="$out/$t-" -print_final_stats=1 "$corpus" 2>"$out/$t.log" ||
    { tail -n 60 "$out/$t.log"; exit 1; }
  echo "$t: $(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/$t.log") inputs/s for ${seconds}s, no fault"
done
