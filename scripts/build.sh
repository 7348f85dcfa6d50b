#!/usr/bin/env bash
# Configures both architectures from their presets and builds them: build/i686 (the
# shipped programs) and build/x86_64 (the same sources, for the tests under Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for arch in i686 x86_64; do
  "$root/scripts/configure.sh" "$arch"
  cmake --build "$root/build/$arch"
done
