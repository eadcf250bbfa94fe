#!/usr/bin/env bash
# Draws packaging/icons anew from the program's own picture (src/app/ikonen.cpp): the hicolor PNGs
# and the scalable SVG. Run it after changing the picture and commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
cmake --build "$build" --target zembrola-ikonen >/dev/null
mkdir -p packaging/icons
# The "Z" is drawn in what fontconfig gives for Arial bold: Liberation Sans Bold (fonts-liberation).
QT_QPA_PLATFORM=offscreen "$build/bin/zembrola-ikonen" packaging/icons
ls packaging/icons
