#!/usr/bin/env bash
# Installs what is missing, builds Vexadra with what a player needs besides the program
# (its translations, launcher entry, metainfo and icons) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target vexadra vexadra_translations vexadra_icons
exec build/release/src/vexadra "$@"
