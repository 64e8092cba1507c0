# Shared by run.sh, test.sh and the fuzz run: installs what is missing, then configures and builds a tree.
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

# build_tree FOLDER [cmake options...]: each kind of build keeps a tree of its own, so switching between
# playing and testing rebuilds nothing.
build_tree() {
  local folder=$1; shift
  cmake -S "$root" -B "$root/$folder" -G Ninja "$@" >/dev/null
  cmake --build "$root/$folder" --parallel "$(nproc)"
}
