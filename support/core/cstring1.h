// Element type of history lists: a heap string whose element pointer is the
// text itself, equal to another when the texts match regardless of case.
#pragma once

#include <cstddef>
#include <cstring>

#include "chain.h"
#include "nocase.h"
#include "str_util.h"

// Deliberately never defined: a cstring1* is the address of a new char[]
// array holding a null-terminated text. The separate type only gives history
// lists their own equality and keeps them apart from chain<char>; go through
// the helpers below rather than casting.
struct cstring1;

// New cstring1 holding a copy of the first len characters of text (which
// must have that many). Null when memory runs out.
inline cstring1* cstring1_new_n(const char* text, std::size_t len) {
  return reinterpret_cast<cstring1*>(dup_n(text, len));
}

// New cstring1 holding a copy of text. Null when memory runs out.
inline cstring1* cstring1_new(const char* text) { return cstring1_new_n(text, std::strlen(text)); }

// Takes ownership of a new char[] string (from dup_n, format_alloc, ...)
// without copying it.
inline cstring1* cstring1_adopt(char* text) { return reinterpret_cast<cstring1*>(text); }

inline char* cstring1_text(cstring1* s) { return reinterpret_cast<char*>(s); }

inline const char* cstring1_text(const cstring1* s) { return reinterpret_cast<const char*>(s); }

// Borrows a plain text as a search key for find/remove on a chain<cstring1>,
// without copying. The result must not be stored in a chain.
inline const cstring1* cstring1_key(const char* text) { return reinterpret_cast<const cstring1*>(text); }

inline void cstring1_free(cstring1* s) { delete[] cstring1_text(s); }

template <>
struct chain_traits<cstring1> {
  static bool equal(const cstring1* element, const cstring1* key) {
    return compare_nocase(cstring1_text(element), cstring1_text(key)) == 0;
  }
  static void destroy(cstring1* element) { cstring1_free(element); }
};
