#!/usr/bin/env bash
# Builds the shipped 32-bit programs in a build folder of its own and writes
# dist/tarnwell-<version>-win32.zip: tarncmd.exe, tarncfg.exe, the user's README.txt and
# SHA256SUMS. The same commit gives the same bytes in any folder: the programs carry no
# time stamp or build path, and the archive has a fixed order, date and permissions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
version=$(sed -n 's/^#define TARNWELL_VERSION "\(.*\)"$/\1/p' "$root/resources/tarnwell_version.h")
[ -n "$version" ] || { echo "package.sh: no version in resources/tarnwell_version.h"; exit 1; }

build="$root/build/package-i686"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" >/dev/null
fi
cmake --build "$build" --target tarncmd tarncfg
for program in tarncmd tarncfg; do "$root/scripts/check-imports.sh" "$build/bin/$program.exe"; done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/bin/tarncmd.exe" "$build/bin/tarncfg.exe" "$stage/"
# Windows line ends for Notepad.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/resources/release/README.txt" >"$stage/README.txt"
(cd "$stage" && sha256sum tarncmd.exe tarncfg.exe README.txt >SHA256SUMS)

mkdir -p "$root/dist"
zip="$root/dist/tarnwell-$version-win32.zip"
python3 - "$stage" "$zip" <<'PY'
import sys, zipfile
stage, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w") as archive:
    for name in ("tarncmd.exe", "tarncfg.exe", "README.txt", "SHA256SUMS"):
        entry = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        entry.create_system = 3  # Unix, so the permissions below are what unzip applies
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(f"{stage}/{name}", "rb") as f:
            archive.writestr(entry, f.read(), compresslevel=9)
PY
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
