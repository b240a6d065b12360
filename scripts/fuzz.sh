#!/usr/bin/env bash
# Fuzzes the texture parser with libFuzzer for SECONDS (default 60) from the seed corpus.
# A crashing input is written to build-fuzz/crashes/; copy it to tests/fuzz/regressions/ so that
# the unit tests replay it forever.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVEX_FUZZ=ON -DTARVEX_BUILD_TESTS=OFF
cmake --build build-fuzz -j"$(nproc)" --target tarvex_fuzz_ppm

# The fuzzer adds what it finds to the working corpus, never to the committed seeds.
mkdir -p build-fuzz/corpus build-fuzz/crashes
bash tests/fuzz/make_corpus.sh build-fuzz/corpus
cp tests/fuzz/regressions/* build-fuzz/corpus/
./build-fuzz/tarvex_fuzz_ppm -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/crashes/ build-fuzz/corpus
