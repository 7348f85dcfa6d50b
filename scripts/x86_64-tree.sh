# Sourced by the developer scripts before anything else: takes "-d DIR" off the caller's
# arguments (an x86_64 build tree; default build/x86_64), configures that tree if it has
# not been yet, and sets `root` and `dir`.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir="$root/build/x86_64"
if [ "${1:-}" = "-d" ]; then dir=$(realpath -m "$2"); shift 2; fi
"$root/scripts/configure.sh" x86_64 "$dir"
