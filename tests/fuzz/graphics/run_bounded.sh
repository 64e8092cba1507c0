#!/bin/sh
# Builds the graphics fuzz targets with clang and libFuzzer in a tree of their own and runs each for
# a bounded time on its seed corpus. Arguments: source folder, build folder.
set -eu
source_dir=$1
build_dir=$2
CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DALEMBRIA_SANITIZE=ON -DALEMBRIA_FUZZ=ON -DALEMBRIA_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_anim fuzz_mesh -j3
cd "$build_dir"
ctest -R '^fuzz_(anim|mesh)$' --output-on-failure
