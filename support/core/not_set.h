// The marker of a stored number that has no value: a window position nobody stored or
// that lies off the desktop, a column width never set, a copier setting the registry does
// not hold. It is the largest 32-bit value, so no real position, width or setting meets it.
#pragma once
#include <cstdint>

const std::int32_t kNotSet = 2147483647;
