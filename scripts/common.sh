# Shared by scripts/run and scripts/test: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  g++ cmake make pkg-config
  libsqlite3-dev libsqlitecpp-dev
  libzip-dev zipcmp zipmerge ziptool zlib1g-dev libisal-dev
  libssl-dev libsimpleini-dev libkainjow-mustache-dev nlohmann-json3-dev libcli11-dev
  googletest libgtest-dev libgmock-dev
  qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-thai-tlwg
  faketime poppler-utils unzip time bc xvfb openbox
  dpkg-dev desktop-file-utils librsvg2-bin debootstrap help2man lintian
)

install_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}
