#!/usr/bin/env bash
# Builds the game (installing missing Debian packages first) and starts it.
source "$(dirname "$0")/tools/build/common.sh"
install_missing_packages
build_tree OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/bin/alembria" "$@"
