#!/usr/bin/env bash
# Installs, on Debian 12, whatever building, running and testing Quorrin
# needs and the machine lacks. Does nothing when everything is there.
set -euo pipefail

packages=(
  # Build
  g++ cmake ninja-build pkg-config
  libcurl4-openssl-dev libicu-dev libfltk1.3-dev libx11-dev
  # FLTK's CMake package refuses to load without its UI designer, which
  # libfltk1.3-dev only recommends.
  fluid
  libgtest-dev libgmock-dev libbenchmark-dev
  # Run: a font with the window's Chinese characters, the trusted authorities
  fonts-wqy-microhei ca-certificates
  # Tests: local servers, namespaces, a real X server driven like a person
  python3 openssl curl iproute2 util-linux procps
  xvfb xauth openbox xdotool xclip x11-utils imagemagick
  # Benchmarks
  hyperfine time
  # Fuzzing: Clang with libFuzzer and its sanitizer run-times
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || {
    echo "install-deps: run as root, or install sudo, to install: ${missing[*]}" >&2
    exit 1
  }
  sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
  --no-install-recommends "${missing[@]}" >/dev/null
