# Shared by run.sh and test.sh: installs what is missing, then configures and builds one tree.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

install_missing_packages() {
  local wanted missing=()
  wanted=$(grep -v '^#' "$root/tools/build/packages.txt")
  for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_tree SANITIZE(ON|OFF) [cmake options...]
build_tree() {
  local sanitize=$1; shift
  cmake -S "$root" -B "$root/build" -G Ninja -DALEMBRIA_SANITIZE="$sanitize" "$@" >/dev/null
  cmake --build "$root/build" --parallel "$(nproc)"
}
