#include "url.h"

#include <cstring>

#include "decimal.h"
#include "str_util.h"

const char* const protocol_names[4] = {"FTP", "HTTP", "NNTP", nullptr};

namespace {

const char kDefaultScheme[] = "http";
const char kDefaultPath[] = "/";

// Copies the text from begin up to end into out, when it is wanted. Every
// such span lies inside the URL, so it fits any buffer of the URL's size.
void put(char* out, const char* begin, const char* end) {
  if (out) copy_n(out, begin, static_cast<std::size_t>(end - begin));
}

void put(char* out, const char* text) {
  if (out) copy_n(out, text, std::strlen(text));
}

char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equal_ascii_nocase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (ascii_upper(*a) != ascii_upper(*b)) return false;
    if (*a == '\0') return true;
  }
}

}  // namespace

std::size_t url_component_size(const char* url) {
  const std::size_t size = std::strlen(url) + 1;
  return size < sizeof kDefaultScheme ? sizeof kDefaultScheme : size;
}

void parse_url(const char* url, char* scheme, char* host, int* port, char* path, char* user, char* password) {
  // The first "://" anywhere in the text ends the scheme, even inside what
  // would otherwise be a query: "host/cgi?u=ftp://x" has scheme
  // "host/cgi?u=ftp".
  const char* rest = url;
  if (const char* mark = std::strstr(url, "://")) {
    put(scheme, url, mark);
    rest = mark + 3;
  } else {
    put(scheme, kDefaultScheme);
  }

  // Only text before the first '/' can hold user, password, host and port.
  const char* const host_end = find_char(rest, '/');

  const char* const at = find_char(rest, '@');
  if (at < host_end) {
    // The first ':' splits user from password, so a password may itself
    // contain colons.
    const char* const colon = find_char(rest, ':');
    if (colon < at) {
      put(user, rest, colon);
      put(password, colon + 1, at);
    } else {
      put(user, rest, at);
      put(password, at, at);
    }
    rest = at + 1;
  } else {
    put(user, rest, rest);
    put(password, rest, rest);
  }

  const char* const colon = find_char(rest, ':');
  if (colon < host_end) {
    put(host, rest, colon);
    if (port) *port = read_decimal(colon + 1);
  } else {
    put(host, rest, host_end);
    if (port) *port = 0;
  }

  if (*host_end == '/')
    put(path, host_end);
  else
    put(path, kDefaultPath);
}

int name_index(const char* const* table, const char* name) {
  for (int i = 0; table[i] != nullptr; ++i) {
    if (equal_ascii_nocase(table[i], name)) return i;
  }
  return -1;
}
