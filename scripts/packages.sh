# Debian packages the game needs to build, run and test. Sourced by the scripts.
VELMORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev libepoxy-dev libfreetype-dev libstb-dev fonts-liberation2
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-apps libgl1-mesa-dri python3
  openbox
)
# What the Windows build needs beyond those (./scripts/test windows): Debian's
# mingw-w64 (POSIX threads), Wine to run its tests, meson for libepoxy.
VELMORA_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 meson dpkg-dev)
# What the browser build needs beyond those (./scripts/test web): Debian's
# emscripten, node to run the tests, GoogleTest's sources to build for it,
# apt-get source's unpacker for the other libraries, Chromium to load the page.
VELMORA_WEB_PACKAGES=(emscripten nodejs googletest dpkg-dev chromium)
# What ./scripts/package needs beyond those (dpkg-shlibdeps comes with build-essential).
VELMORA_PACKAGING_PACKAGES=(lintian)

# Installs what is missing (as root), or says exactly what to run.
velmora_install_packages() {
  local missing=()
  for p in "${VELMORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages. Run:"
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}"
    return 1
  fi
}
