// Case-insensitive comparison of two 8-bit texts, the equality used by
// history lists and task records.
#pragma once

// Negative, zero or positive as a sorts before, equal to or after b when
// letter case is ignored. Only the zero / non-zero result is relied upon.
int compare_nocase(const char* a, const char* b);
