#!/usr/bin/env bash
# Builds Tavrino (incremental Release build in build/) and runs it.
#   ./run.sh [FILE]   FILE defaults to the demo song
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup
./scripts/build build -DCMAKE_BUILD_TYPE=Release

song="${1:-examples/oh-susanna.mid}"
# The desktop window is not built yet: show what the tool makes of the song.
build/tools/tavrino-tool info "$song"
echo
build/tools/tavrino-tool listing "$song"
