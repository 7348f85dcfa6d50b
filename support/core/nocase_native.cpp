// Native (non-Windows) build: stand-in for the platform comparison. Folds
// only the ASCII letters; every other byte must match exactly.
#include "nocase.h"

namespace {

unsigned char fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c; }

}  // namespace

int compare_nocase(const char* a, const char* b) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  for (;; ++pa, ++pb) {
    const int diff = fold(*pa) - fold(*pb);
    if (diff != 0 || *pa == '\0') return diff;
  }
}
