#!/usr/bin/env bash
# Renders the PNG sizes of the program icon and the saved-game icon from their SVG drawings
# with Qt's SVG renderer. Run it after editing resources/icons/*.svg and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046  # pkg-config prints several flags on purpose
g++ -std=c++20 -O1 -fPIC -o "$work/render_icons" scripts/render_icons.cpp \
  $(pkg-config --cflags --libs Qt6Gui Qt6Svg)

sizes=(16 22 24 32 48 64 128 256)
export QT_QPA_PLATFORM=offscreen
"$work/render_icons" resources/icons/tessaline.svg resources/icons/tessaline "${sizes[@]}"
"$work/render_icons" resources/icons/tessaline-game.svg resources/icons/tessaline-game "${sizes[@]}"
echo "Rendered ${#sizes[@]} sizes of each icon into resources/icons/"
