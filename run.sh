#!/usr/bin/env bash
# Builds Tavrino (incremental Release build in build/) and opens the desktop
# program on a song, playing it through the built-in synthesizer.
#   ./run.sh [FILE]   FILE defaults to the demo song
# Without a display it shows what it can on the terminal instead: the song's
# tablature, and the song rendered to build/demo.wav and its score to
# build/demo.png.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup
./scripts/build build -DCMAKE_BUILD_TYPE=Release

song="${1:-examples/oh-susanna.mid}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/tavrino --play "$song"
fi

echo "No display here, so the desktop program cannot open. Its tablature instead:"
echo
build/tools/tavrino-tool tab "$song"
echo
build/tools/tavrino-tool render "$song" build/demo.wav
build/tools/tavrino-tool score "$song" build/demo.png
echo "The song as heard through the built-in synthesizer: build/demo.wav"
echo "The song's score and tablature as the program shows it: build/demo.png"
