#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-test/ (installing missing
# Debian packages first) and runs the test suite. Arguments go to CTest: ./test.sh -R Xml
source "$(dirname "$0")/tools/build/common.sh"
install_missing_packages
build_tree build-test -DCMAKE_BUILD_TYPE=Debug -DALEMBRIA_SANITIZE=ON -DALEMBRIA_TESTS=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/build-test"
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 600 "$@"
