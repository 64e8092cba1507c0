#!/usr/bin/env bash
# Builds the game optimised into build/ (installing missing Debian packages first) and starts it.
source "$(dirname "$0")/tools/build/common.sh"
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALEMBRIA_SANITIZE=OFF -DALEMBRIA_TESTS=OFF
exec "$root/build/bin/alembria" "$@"
