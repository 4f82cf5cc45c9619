# Shared by the project's scripts: where things are and how to install what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUORELLA_BUILD_DIR:-$ROOT/build}"

# Debian packages the build, the tests and the window need; the third line builds and checks the
# Debian package (tests/package); the last drives the Modern pages in a browser (tests/browser)
# and renders the classic pages in every script (BrowserRendering).
PACKAGES=(g++ cmake ninja-build pkg-config libsqlite3-dev libgtest-dev googletest libbenchmark-dev
          libcli11-dev libicu-dev qt6-base-dev libqt6svg6 libgl1-mesa-dev fonts-dejavu-core
          dpkg-dev lintian desktop-file-utils appstream man-db
          chromium nodejs)
# The fuzz build's compiler and libFuzzer runtime (scripts/fuzz.sh).
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for package in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# node's packages of the browser tests, pinned by tests/browser/package-lock.json. Debian's npm
# comes with nodejs in some builds of nodejs and is a package of its own in others.
install_browser_test_packages() {
  command -v npm >/dev/null || install_missing npm
  local dir="$ROOT/tests/browser"
  if [ ! -d "$dir/node_modules" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules" ]; then
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
    touch "$dir/node_modules"
  fi
}

configure_and_build() {
  local dir="$1"; shift
  # shellcheck disable=SC2086  # QUORELLA_CMAKE_ARGS holds several arguments (CI: -DQUORELLA_WERROR=ON)
  cmake -S "$ROOT" -B "$dir" -G Ninja ${QUORELLA_CMAKE_ARGS:-} "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
