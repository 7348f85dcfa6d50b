// Splitting a URL into its components and classifying its scheme as one of
// the copier's protocols.
#pragma once

#include <cstddef>

// Protocol numbers are positions in this table: 0 FTP, 1 HTTP, 2 NNTP,
// followed by a null entry.
extern const char* const protocol_names[4];

// Room that each string output of parse_url needs for this URL: the URL's
// length plus one, but at least enough for the default scheme "http".
std::size_t url_component_size(const char* url);

// Splits url into scheme, host, port, path, user and password. Any output
// may be null when not wanted; each non-null string output must hold
// url_component_size(url) bytes. Allocates nothing and writes nothing beyond
// that size, whatever the URL holds.
//
// Defaults: scheme "http" without "://", path "/" when nothing follows the
// host, port 0 without a port, empty user and password without "@". The port
// is read like atoi but saturates at INT_MAX / INT_MIN instead of
// overflowing. Nothing is validated or trimmed.
void parse_url(const char* url, char* scheme, char* host, int* port, char* path, char* user, char* password);

// Position of the first entry of a null-terminated table equal to name when
// the ASCII letters are compared without case (other bytes must match
// exactly); -1 when there is none.
int name_index(const char* const* table, const char* name);
