// The stand-in's output: straight to the standard output handle, since the C runtime would hold
// the bytes in its buffer for as long as the output is a pipe.
#pragma once
#include <cstddef>

// The exit code when the output can no longer be written (the reader has gone).
const int kOutputLostExit = 3;

// Writes every byte; when that fails, ends the process with kOutputLostExit.
void WriteOut(const char* bytes, std::size_t length);
void WriteOut(const char* text);
