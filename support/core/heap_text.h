// Heap text: every string the programs allocate is a new[] char array. Whoever keeps one
// holds it in a std::unique_ptr<char[]>. The support functions that allocate (dup_n,
// format_alloc, join_strings, ...) hand back the bare pointer, which the caller wraps at
// once; a chain<char> owns its strings until clear_delete, and text moves into one here.
#pragma once
#include <memory>
#include "chain.h"

// Appends `text` to `list`, which owns it from then on. False when `text` is null or the
// list could not take it; the text is freed then.
inline bool append_text(chain<char>& list, std::unique_ptr<char[]> text) {
  if (!text || !list.append(text.get())) return false;
  text.release();
  return true;
}
