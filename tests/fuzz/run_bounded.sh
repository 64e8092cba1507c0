#!/bin/sh
# Builds every fuzz target with clang and libFuzzer in a tree of its own and runs each for a bounded
# time on its seed corpus. Arguments: source folder, build folder.
set -eu
source_dir=$1
build_dir=$2
CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DALEMBRIA_SANITIZE=ON -DALEMBRIA_FUZZ=ON -DALEMBRIA_BENCH=OFF >/dev/null
cd "$build_dir"
# The fuzz tests are named after their executables.
targets=$(ctest -N -L fuzz | sed -n 's/^ *Test *#[0-9]*: //p')
cmake --build . --target $targets
ctest -L fuzz --parallel "$(nproc)" --output-on-failure
