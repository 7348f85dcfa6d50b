// How both programs meet a failed allocation. Code that can go on without the memory asks
// with new (std::nothrow) and checks; everything else (the standard containers, the
// whole-text copies of windows) throws std::bad_alloc, and every dialog and subclass
// procedure catches it at its boundary: the message that ran out of memory is left
// undone, falls to the platform's default, and the program goes on. No exception ever
// crosses into the platform's code.
#pragma once
#include <new>

// Runs `handler` and returns what it returns, or `undone` when it ran out of memory.
template <class R, class F>
R CatchAllocationFailure(R undone, F&& handler) noexcept {
  try {
    return handler();
  } catch (const std::bad_alloc&) {
    return undone;
  }
}
