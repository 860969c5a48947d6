#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need; installs nothing
# when all of them are there (apt-get update runs only when something is missing).
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev   # native build and tests
  g++-mingw-w64-x86-64 wine wine64                           # Windows build, tests under Wine
  xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic      # the program on a virtual display
  clang libclang-rt-14-dev                                     # fuzzing
  locales-all                          # ja_JP.UTF-8: Wine maps Japanese file names through it
  python3-jsonschema                   # kinoha-step's json output checked against its schema
  libxml2-utils                        # xmllint: the JUnit report checked against its schema
  zip unzip                            # the release package and its test
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
