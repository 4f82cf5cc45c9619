# Shared by the project's scripts: where things are and how to install what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUORELLA_BUILD_DIR:-$ROOT/build}"

# Debian packages that building and running the two programs need (scripts/start.sh installs only
# these).
# Markdown answers and the readers of Markdown, HTML, CSV and JSON files: md4c, gumbo, libcsv and
# nlohmann's JSON.
APP_PACKAGES=(g++ cmake ninja-build pkg-config libsqlite3-dev libcli11-dev libicu-dev qt6-base-dev
              libqt6svg6 libgl1-mesa-dev fonts-dejavu-core
              libmd4c-dev libmd4c-html0-dev libgumbo-dev libcsv-dev nlohmann-json3-dev)
# What the tests and benchmarks add: their libraries; the Debian package's tools (tests/package);
# chromium and node for the pages in a browser (tests/browser, BrowserRendering); a display with a
# window manager, keys and the accessibility bus for the window worked by keyboard
# (tests/app/keyboard_session.sh) and the screenshots.
TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev
               dpkg-dev lintian desktop-file-utils appstream man-db
               chromium nodejs
               xvfb xauth openbox xdotool x11-utils dbus-daemon at-spi2-core python3-pyatspi)
# The fuzz build's compiler and libFuzzer runtime (scripts/fuzz.sh).
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the packages named that are not installed yet.
install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Everything a developer's script needs: the programs', the tests' and the packages named.
install_missing() {
  install_packages "${APP_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "$@"
}

# node's packages of the browser tests, pinned by tests/browser/package-lock.json and fetched from
# the npm registry. Debian's npm comes with nodejs in some builds of nodejs and is a package of its
# own in others.
install_browser_test_packages() {
  command -v npm >/dev/null || install_packages npm
  local dir="$ROOT/tests/browser"
  if [ ! -d "$dir/node_modules" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules" ]; then
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
    touch "$dir/node_modules"
  fi
}

# Configures DIR with the tests and benchmarks (a folder that scripts/start.sh configured without
# them gains them) and builds every target.
configure_and_build() {
  local dir="$1"; shift
  # shellcheck disable=SC2086  # QUORELLA_CMAKE_ARGS holds several arguments (CI: -DQUORELLA_WERROR=ON)
  cmake -S "$ROOT" -B "$dir" -G Ninja -DQUORELLA_BUILD_TESTS=ON -DQUORELLA_BUILD_BENCH=ON \
    ${QUORELLA_CMAKE_ARGS:-} "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Builds only the two programs into DIR. A new folder is configured without the tests and
# benchmarks, which need packages of their own; one that has them keeps them.
configure_and_build_programs() {
  local dir="$1"; shift
  local options=()
  [ -f "$dir/CMakeCache.txt" ] || options=(-DQUORELLA_BUILD_TESTS=OFF -DQUORELLA_BUILD_BENCH=OFF)
  # shellcheck disable=SC2086
  cmake -S "$ROOT" -B "$dir" -G Ninja "${options[@]}" ${QUORELLA_CMAKE_ARGS:-} "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target quorella quorella-cli
}

# The processes of test run $1 (the value of QUORELLA_TEST_RUN it exported) that still run: those
# that carry that value in their environment, and programs of this checkout started since process
# $2 began. Other runs on the same machine (another checkout, another user's) are not ours.
# Prints "PID COMMAND LINE" a line.
processes_left_behind() {
  local run=$1 since start exe process
  since=$(sed 's/.*) //' "/proc/$2/stat" | awk '{ print $20 }')
  for process in /proc/[0-9]*; do
    [ "${process#/proc/}" = "$BASHPID" ] && continue
    start=$(sed 's/.*) //' "$process/stat" 2>/dev/null | awk '{ print $20 }') || continue
    [ -n "$start" ] && [ "$start" -gt "$since" ] || continue
    exe=$(readlink "$process/exe" 2>/dev/null) || exe=""
    if [[ $exe == "$ROOT"/* ]] ||
      grep -qzxF "QUORELLA_TEST_RUN=$run" "$process/environ" 2>/dev/null; then
      echo "${process#/proc/} $(tr '\0' ' ' <"$process/cmdline" 2>/dev/null)"
    fi
  done
}
