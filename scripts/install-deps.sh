#!/usr/bin/env bash
# Installs every Debian package the builds and tests need. Idempotent: packages
# already present are skipped, so a second run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang-format
  googletest libgtest-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine64 xvfb xauth
  python3 python3-mido midicsv fluidsynth timgm6mb-soundfont
  imagemagick librsvg2-bin xdotool valgrind  # rsvg: ImageMagick hands SVG to it
  clang-14 libclang-rt-14-dev libfuzzer-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
