// What a task keeps of its copier's output: the marked lines, each stored with its message code,
// the latest progress line, and the line still arriving. The result is the same however the
// output stream is cut into pieces.
#pragma once
#include <cstddef>
#include <cstdint>
#include "chain.h"

// Message codes, the first character of every stored line.
enum MessageCode : char {
  kMessageInfo = '0',
  kMessageWarning = '1',
  kMessageError = '2',
  kMessageClient = '3',
  kMessageServer = '4',
  kMessageProgress = '5',
};

// The code for a copier line's first character, or 0 for a line that is not kept.
char MessageCodeFor(char marker);

struct TaskOutput {
  static const int kLineBufferSize = 512;
  static const int kProgressSize = 80;

  // Stored lines in arrival order, new[] strings beginning with their code (an empty one for a
  // marker alone on its line). Every code but the progress code lands here.
  chain<char> messages;
  // The line still arriving, null-terminated; lineLength bytes, at most kLineBufferSize - 1. Bytes
  // of a longer line beyond those are dropped up to its line end.
  char lineBuffer[kLineBufferSize];
  std::int32_t lineLength;
  // The latest progress line (its first kProgressSize - 1 bytes), and whether it is still to be
  // shown: set by each progress line, cleared by each other stored line and by whoever shows it.
  char progressText[kProgressSize];
  unsigned char progressPending;
  // Between lines: blanks, CRs and LFs after a line end are skipped until a line begins.
  unsigned char betweenLines;

  TaskOutput();
  ~TaskOutput();
  TaskOutput(const TaskOutput&) = delete;
  TaskOutput& operator=(const TaskOutput&) = delete;

  // Takes the next `length` bytes of output, any number, and stores every line they complete. A CR
  // or LF ends a line; NUL bytes are dropped. A line that memory cannot be found for is lost.
  void Take(const char* bytes, std::size_t length);
  // Back to the state of a task that has said nothing yet.
  void Clear();
};
