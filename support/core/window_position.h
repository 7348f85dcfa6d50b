// A main window's remembered top-left corner in screen coordinates, as both programs keep
// it in their settings key.
#pragma once
#include <cstdint>
#include "not_set.h"

struct WindowPosition {
  std::int32_t x = kNotSet;  // kNotSet: no valid position, the window opens where the system puts it
  std::int32_t y = 0;
};
