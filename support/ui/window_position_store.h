// The main window's position in a program's settings key: the value "Window Position",
// REG_BINARY, x then y as 32-bit signed little-endian integers.
#pragma once
#include <windows.h>
#include "window_position.h"

// Reads the stored position into `position`. A missing value, or one of another size than
// 8 bytes, leaves it as it was; a stored position off the desktop (negative, or not left
// of its right edge and above its bottom edge) sets x to kNotSet, since the window would
// open where nobody sees it: a window closed while minimized stores such a place.
void load_window_position(HKEY key, WindowPosition& position);
// Writes the top-left corner of `window` (screen coordinates) when it differs from
// `position`, and remembers it there. An unchanged position is not rewritten.
void save_window_position(HKEY key, const RECT& window, WindowPosition& position);
