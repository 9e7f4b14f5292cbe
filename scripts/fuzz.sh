#!/usr/bin/env bash
# Fuzzes RENDIDOR's reader of the hand-over files with libFuzzer for SECONDS (default 600):
# builds the target with clang in build/fuzz (apart from the g++ build, which needs no clang),
# runs it on a copy of the seed corpus in suite/rendidor/fuzz/corpus, and leaves any input that
# crashes it in build/fuzz/hallazgos/. Keep each such input as a case of the table in
# suite/rendidor/tests/entradas_test.cpp, and in the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-600}"
cmake -S suite/rendidor/fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz
mkdir -p build/fuzz/corpus build/fuzz/hallazgos
cp -n suite/rendidor/fuzz/corpus/* build/fuzz/corpus/
exec build/fuzz/lector_fuzz -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
  -dict=suite/rendidor/fuzz/xml.dict -artifact_prefix=build/fuzz/hallazgos/ build/fuzz/corpus
