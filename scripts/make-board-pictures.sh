#!/usr/bin/env bash
# Redraws the board styles "Default" and "original small", the full-screen background and
# the small window pictures into data/pics. The pictures are committed; run this only
# after changing tools/boardpics.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root/tools/boardpics" -B "$root/build-boardpics" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-boardpics" -j8 >/dev/null
QT_QPA_PLATFORM=offscreen "$root/build-boardpics/korvex_boardpics" "$root/data/pics"
