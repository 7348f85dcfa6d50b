// Plain functions on null-terminated 8-bit strings and Windows paths:
// trimming, bounded copies, character scans, allocating formatting and
// joining, and path operations that know drive letters, network roots and
// the double-byte characters of the system's ANSI code page.
//
// Every string returned as "new" is a new char[] array that the caller owns
// (see heap_text.h); such functions return null when memory runs out.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>  // defines __MINGW_PRINTF_FORMAT on MinGW

#include "chain.h"

// Lets the compiler check format_alloc's arguments. MinGW's printf flavour
// (msvcrt or C99) depends on __USE_MINGW_ANSI_STDIO; its stdio.h names it.
#if defined(__MINGW32__) && defined(__MINGW_PRINTF_FORMAT)
#define SUPPORT_PRINTF_LIKE(fmt, first) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, first)))
#elif defined(__GNUC__)
#define SUPPORT_PRINTF_LIKE(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define SUPPORT_PRINTF_LIKE(fmt, first)
#endif

// --- Paths -----------------------------------------------------------------
// Both '\' and '/' are separators. The root is "\\server\share" (up to the
// separator after the share name), or "X:", or nothing.

// True when the byte at p and the one after it form one double-byte character
// of the system's ANSI code page: p holds a lead byte and the next byte is not
// the terminator. A trail byte may have any value, the separator codes
// included. Never reads past a terminator at p.
bool is_dbcs_pair(const char* p);

// Position just after the path's root; the path itself when it has none.
const char* path_root_end(const char* path);
char* path_root_end(char* path);

// Turns every '\' after the root into '/'; the root keeps its own
// separators. Returns path.
char* to_forward_slashes(char* path);

// Ends the path at its last separator after the root, or at the root when
// there is none: C:\prog\tool.exe -> C:\prog, C:\tool.exe -> C:, tool.exe -> "".
// Returns path.
char* strip_last_component(char* path);

// --- Strings ---------------------------------------------------------------

// Removes leading and trailing blanks, tabs, CRs and LFs in place. Returns s.
char* trim(char* s);

// Copies at most max_len characters of src and a terminator into dst, which
// must hold min(strlen(src), max_len) + 1 bytes. Reads no further into src
// than it copies. Returns dst.
char* copy_n(char* dst, const char* src, std::size_t max_len);

// New string of exactly len characters copied from src (which must have
// that many), terminated.
char* dup_n(const char* src, std::size_t len);

// Byte-by-byte scans; each returns the terminator's position when nothing
// matches, never null. They do not step over double-byte characters.
const char* skip_chars(const char* s, const char* set);  // first byte not in set
char* skip_chars(char* s, const char* set);
const char* find_chars(const char* s, const char* set);  // first byte in set
char* find_chars(char* s, const char* set);
const char* find_char(const char* s, char c);  // first c
char* find_char(char* s, char c);

// New string holding the printf-style formatted text, exactly as large as
// it needs to be. Null on a formatting error or when memory runs out.
char* format_alloc(const char* format, ...) SUPPORT_PRINTF_LIKE(1, 2);
char* format_alloc_v(const char* format, std::va_list args) SUPPORT_PRINTF_LIKE(1, 0);

// New string: the chain's strings one after another, head first, with
// nothing between them. An empty chain gives an empty string. Does not move
// the chain's cursor.
char* join_strings(const chain<char>& pieces);
