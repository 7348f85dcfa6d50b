// Reading a decimal number out of text the user typed: a URL's port, the editor's number
// fields and proxy ports.
#pragma once
#include <cstdint>

// The decimal number at the start of s, read as atoi reads it (C-locale white space
// skipped, an optional sign, digits up to the first non-digit, none giving 0), but held
// at INT32_MAX / INT32_MIN instead of overflowing.
std::int32_t read_decimal(const char* s);
