#!/usr/bin/env bash
# Builds every fuzz target with clang and libFuzzer into build-fuzz/ and runs each for a bounded time on its
# seed corpus, one target per core. Without clang the run cannot happen: that is an error under CI, and a
# loud warning elsewhere.
source "$(dirname "$0")/common.sh"
install_missing_packages
if ! command -v clang++ >/dev/null; then
  echo "==================================================================" >&2
  echo "FUZZ RUN SKIPPED: clang++ is not installed (see tools/build/packages.txt)" >&2
  echo "==================================================================" >&2
  [ "${CI:-}" = "true" ] && exit 1
  exit 0
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DALEMBRIA_SANITIZE=ON \
  -DALEMBRIA_FUZZ=ON -DALEMBRIA_BENCH=OFF >/dev/null
cd "$root/build-fuzz"
# The fuzz tests are named after their executables; nothing else is built here.
targets=$(ctest -N -L fuzz | sed -n 's/^ *Test *#[0-9]*: //p')
cmake --build . --parallel "$(nproc)" --target $targets
exec ctest -L fuzz --parallel "$(nproc)" --output-on-failure
