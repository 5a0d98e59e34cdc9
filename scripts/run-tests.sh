#!/usr/bin/env bash
# Sets up, builds and runs every test. Extra arguments go to cmake's configure step
# (the CI passes -DGARAM_SANITIZE=ON with BUILD_DIR=build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh "$@"
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)"
