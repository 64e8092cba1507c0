#!/bin/sh
# Builds the core fuzz targets with clang and libFuzzer in a tree of their own and runs each for a
# bounded time on its seed corpus. Arguments: source folder, build folder.
set -eu
source_dir=$1
build_dir=$2
CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DALEMBRIA_SANITIZE=ON -DALEMBRIA_FUZZ=ON -DALEMBRIA_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_package fuzz_xml fuzz_stringtable -j3
cd "$build_dir"
ctest -R '^fuzz_(package|xml|stringtable)$' --output-on-failure
