# Installs the Debian packages named as arguments when any of them is missing.
# Sourced by scripts/test and scripts/run; needs root (or sudo) only when something is missing.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# What building and testing the project needs.
BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config ca-certificates
  libgtest-dev libgmock-dev libbenchmark-dev
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev openssl curl
  qt6-base-dev
)

# What running the window needs beyond the build.
RUN_PACKAGES=(fonts-wqy-microhei)
