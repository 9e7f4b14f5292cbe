#!/usr/bin/env bash
# Builds and runs every test: the whole project in the release build, then the module's tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/preparar.sh release
ctest --preset release -j "$(nproc)"
bash scripts/preparar.sh asan
ctest --preset asan -j "$(nproc)"
