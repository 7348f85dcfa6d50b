// The message window's log out of the window: its keys, the save dialog's filter, and the
// file write that leaves either the whole log or nothing.
#pragma once
#include <cstddef>
#include "key_commands.h"

extern const TKeyCommand kLogKeys[];
extern const char kLogFilter[];

// Writes `size` bytes of `data` to `path` whole or not at all: into a new temporary file in
// the same folder, then moved over `path`. Whether `path` now holds them; on failure any
// earlier file of that name is left as it was and no temporary file stays behind.
bool WriteFileReplacing(const char* path, const char* data, std::size_t size);
