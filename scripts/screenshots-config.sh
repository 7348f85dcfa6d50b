#!/usr/bin/env bash
# Pictures of the configuration editor for docs/: the main window, the About box and the
# four pages of its sheet, shown under Wine on a private display and saved as PNG.
#   scripts/screenshots-config.sh [-d BUILD_DIR]     (default build/x86_64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/x86_64"
if [ "${1:-}" = "-d" ]; then dir=$(realpath -m "$2"); shift 2; fi
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" >/dev/null
cmake --build "$dir" --target config_editor_screens
. "$root/scripts/wine-session.sh"
wine_session_start "$dir/wineprefix"
shots=$(mktemp -d)
(cd "$shots" && "$dir/wine-exec.sh" "$dir/bin/config_editor_screens.exe")
mkdir -p "$root/docs"
python3 - "$shots" "$root/docs" <<'PY'
import glob, os, struct, sys, zlib

def bmp_to_png(src, dst):
    data = open(src, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(b'\0' + bytes(rgb))
    if height > 0:
        rows.reverse()

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
    open(dst, 'wb').write(png)

src, out = sys.argv[1], sys.argv[2]
for bmp in sorted(glob.glob(os.path.join(src, '*.bmp'))):
    png = os.path.join(out, os.path.splitext(os.path.basename(bmp))[0] + '.png')
    bmp_to_png(bmp, png)
    print('docs/' + os.path.basename(png))
PY
rm -rf "$shots"
