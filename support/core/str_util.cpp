#include "str_util.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "dbcs.h"

namespace {

const char kBlanks[] = " \t\r\n";

bool in_set(const char* set, char c) { return c != '\0' && std::strchr(set, c) != nullptr; }

bool is_separator(char c) { return c == '\\' || c == '/'; }

// First separator at or after p, stepping over double-byte characters; the
// terminator when there is none.
const char* next_separator(const char* p) {
  while (*p != '\0' && !is_separator(*p)) p += is_dbcs_pair(p) ? 2 : 1;
  return p;
}

}  // namespace

bool is_dbcs_pair(const char* p) {
  // A lead byte is never the terminator, so p[1] is still inside the string.
  return is_lead_byte(p[0]) && p[1] != '\0';
}

const char* path_root_end(const char* path) {
  if (is_separator(path[0]) && is_separator(path[1])) {
    // Server and share names are scanned like the rest of the path, so
    // a share name ending in a double-byte character with trail byte 0x5C is not
    // cut in the middle of that character.
    const char* server_end = next_separator(path + 2);
    if (*server_end == '\0') return server_end;
    return next_separator(server_end + 1);
  }
  if (path[0] != '\0' && path[1] == ':') return path + 2;
  return path;
}

char* path_root_end(char* path) { return const_cast<char*>(path_root_end(static_cast<const char*>(path))); }

char* to_forward_slashes(char* path) {
  char* p = path_root_end(path);
  while (*p != '\0') {
    if (is_dbcs_pair(p)) {
      p += 2;
      continue;
    }
    if (*p == '\\') *p = '/';
    ++p;
  }
  return path;
}

char* strip_last_component(char* path) {
  char* root_end = path_root_end(path);
  char* cut = root_end;
  char* p = root_end;
  while (*p != '\0') {
    if (is_dbcs_pair(p)) {
      p += 2;
      continue;
    }
    if (is_separator(*p)) cut = p;
    ++p;
  }
  *cut = '\0';
  return path;
}

char* trim(char* s) {
  const char* start = skip_chars(s, kBlanks);
  std::size_t len = std::strlen(start);
  std::memmove(s, start, len + 1);
  while (len > 0 && in_set(kBlanks, s[len - 1])) --len;
  s[len] = '\0';
  return s;
}

char* copy_n(char* dst, const char* src, std::size_t max_len) {
  std::size_t len = 0;
  while (len < max_len && src[len] != '\0') ++len;
  std::memmove(dst, src, len);
  dst[len] = '\0';
  return dst;
}

char* dup_n(const char* src, std::size_t len) {
  if (len == static_cast<std::size_t>(-1)) return nullptr;
  char* copy = new (std::nothrow) char[len + 1];
  if (!copy) return nullptr;
  std::memcpy(copy, src, len);
  copy[len] = '\0';
  return copy;
}

const char* skip_chars(const char* s, const char* set) {
  while (in_set(set, *s)) ++s;
  return s;
}

char* skip_chars(char* s, const char* set) { return const_cast<char*>(skip_chars(static_cast<const char*>(s), set)); }

const char* find_chars(const char* s, const char* set) {
  while (*s != '\0' && !in_set(set, *s)) ++s;
  return s;
}

char* find_chars(char* s, const char* set) { return const_cast<char*>(find_chars(static_cast<const char*>(s), set)); }

const char* find_char(const char* s, char c) {
  while (*s != '\0' && *s != c) ++s;
  return s;
}

char* find_char(char* s, char c) { return const_cast<char*>(find_char(static_cast<const char*>(s), c)); }

char* format_alloc(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  char* text = format_alloc_v(format, args);
  va_end(args);
  return text;
}

char* format_alloc_v(const char* format, std::va_list args) {
  // Measuring with a null buffer relies on the C99 return value (the full
  // length). MinGW-w64's vsnprintf provides it; the bare msvcrt
  // _vsnprintf would return -1 instead and must not be substituted here.
  std::va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (needed < 0) return nullptr;

  const std::size_t size = static_cast<std::size_t>(needed) + 1;
  std::unique_ptr<char[]> text(new (std::nothrow) char[size]);
  if (!text || std::vsnprintf(text.get(), size, format, args) != needed) return nullptr;
  return text.release();
}

char* join_strings(const chain<char>& pieces) {
  std::size_t total = 0;
  for (const chnode<char>* node = pieces.head; node; node = node->next) total += std::strlen(node->item);

  char* joined = new (std::nothrow) char[total + 1];
  if (!joined) return nullptr;
  char* out = joined;
  std::size_t room = total;
  for (const chnode<char>* node = pieces.head; node; node = node->next) {
    copy_n(out, node->item, room);
    const std::size_t copied = std::strlen(out);
    out += copied;
    room -= copied;
  }
  *out = '\0';
  return joined;
}
