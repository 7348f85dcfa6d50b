// Windows build: the platform's own case-insensitive comparison.
//
// lstrcmpiA compares linguistically in the user's locale, not byte by byte:
// accented letters of the ANSI code page fold to their capitals (so "é" and
// "É" are equal here but not in the native stand-in).
#include "nocase.h"

#include <windows.h>

int compare_nocase(const char* a, const char* b) { return lstrcmpiA(a, b); }
