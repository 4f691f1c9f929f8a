#!/usr/bin/env bash
# Installs the Debian packages that the chosen parts of the work need. Idempotent: packages
# already present are skipped, so a second run costs one dpkg query.
# Usage: scripts/install-deps.sh [GROUP...]   (default: every group)
#   native    the native build, its tests and the benchmarks
#   windows   the MinGW build and its tests under Wine, windows under Xvfb, real input, and
#             the fonts the page is drawn in (Liberation Sans stands for Arial under Wine)
#   fuzz      clang with libFuzzer and the sanitizer runtimes
#   demo      the demo's synthesizer, soundfont and image tools
#   shipping  the help compiler, the installer builder and the artwork script
#   lv2       the LV2 bundle's headers and validators, DPF (dpf-source) for the VST3 and CLAP
#             plug-ins and the JACK program, and the real hosts they are tested in
#             (jalv on JACK, Ardour 7 headless, Qtractor's CLAP scanner: about 40 s more to install
#             on a fresh machine)
set -euo pipefail

declare -A group=(
  [native]="build-essential cmake ninja-build clang-format googletest libgtest-dev
            libbenchmark-dev nlohmann-json3-dev libcli11-dev python3 python3-mido midicsv valgrind"
  [windows]="mingw-w64 g++-mingw-w64-x86-64-posix wine64 xvfb xauth xdotool imagemagick
             python3-pil fonts-dejavu-core fonts-liberation dpf-source"
  [fuzz]="clang-14 libclang-rt-14-dev libfuzzer-14-dev llvm-14"
  [demo]="fluidsynth timgm6mb-soundfont imagemagick librsvg2-bin"
  [shipping]="nsis fp-utils libchm-bin python3-pil fonts-dejavu-core"
  [lv2]="lv2-dev lilv-utils sordi jackd2 jalv python3-jack-client ardour dpf-source qtractor"
)

chosen=("$@")
[ ${#chosen[@]} -gt 0 ] || chosen=(native windows fuzz demo shipping lv2)

packages=()
for name in "${chosen[@]}"; do
  [ -n "${group[$name]:-}" ] || { echo "install-deps: unknown group '$name'" >&2; exit 2; }
  read -r -a words <<<"$(echo ${group[$name]})"
  packages+=("${words[@]}")
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages of ${chosen[*]} present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
