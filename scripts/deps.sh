# Installs the Debian packages a build needs, or says how to.
# Sourced by the run, test and screenshot scripts: ensure_packages PKG...
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing ${missing[*]} ..."
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "${missing[@]}" >/dev/null || {
      apt-get update -q >/dev/null && apt-get install -y -q "${missing[@]}" >/dev/null
    } || { echo "Could not install: ${missing[*]}" >&2; return 1; }
  else
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}

# The page engine refuses to start as root unless its sandbox is off; the
# program itself never turns it off.
engine_flags_for_root() {
  if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox"
  fi
}

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libuchardet-dev libxml2-dev libzip-dev zlib1g-dev)
TEST_PACKAGES=(googletest libgtest-dev epubcheck libxml2-utils)
GUI_PACKAGES=(qt6-base-dev qt6-webengine-dev xvfb xauth)
