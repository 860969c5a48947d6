#!/usr/bin/env bash
# Builds Kinoha for Linux and Windows. (The tray program joins here once it exists.)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native && cmake --build --preset native -j "$(nproc)"
cmake --preset windows && cmake --build --preset windows -j "$(nproc)"
echo "Built everything in build/native and build/windows; the tray program is not there yet."
