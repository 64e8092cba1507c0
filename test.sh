#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (installing missing Debian packages
# first) and runs the whole test suite.
source "$(dirname "$0")/tools/build/common.sh"
install_missing_packages
build_tree ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
