#include "task_output.h"

#include <cstring>
#include <new>

#include "heap_text.h"
#include "str_util.h"

char MessageCodeFor(char marker) {
  switch (marker) {
    case '@': return kMessageInfo;
    case '!': return kMessageWarning;
    case '*': return kMessageError;
    case 'C': return kMessageClient;
    case 'S': return kMessageServer;
    case '~': return kMessageProgress;
    default: return 0;
  }
}

namespace {

// Stores one complete line of `length` bytes (no line end, no NUL). The marker, the character after
// it and, when the next one is a blank, that blank give way to the code: "C: 220 ready" is stored as
// "3220 ready", "S:USER x" as "4USER x". A marker alone leaves an empty stored line, without a code;
// a marker and one character leave the code alone.
void StoreLine(TaskOutput& out, const char* line, std::size_t length) {
  const char code = length > 0 ? MessageCodeFor(line[0]) : 0;
  if (!code) return;
  char stored[TaskOutput::kLineBufferSize];
  std::size_t storedLength = 0;
  if (length > 1) {
    const std::size_t q = length > 2 && line[2] == ' ' ? 2 : 1;
    stored[0] = code;
    std::memcpy(stored + 1, line + q + 1, length - q - 1);
    storedLength = length - q;
  }
  stored[storedLength] = '\0';
  if (code == kMessageProgress) {
    copy_n(out.progressText, stored, TaskOutput::kProgressSize - 1);
    out.progressPending = 1;
    return;
  }
  append_text(out.messages, std::unique_ptr<char[]>(dup_n(stored, storedLength)));
  out.progressPending = 0;
}

}  // namespace

TaskOutput::TaskOutput()
    : lineBuffer{}, lineLength(0), progressText{}, progressPending(0), betweenLines(0) {}

TaskOutput::~TaskOutput() {
  messages.clear_delete();
}

void TaskOutput::Clear() {
  messages.clear_delete();
  lineBuffer[0] = '\0';
  lineLength = 0;
  progressText[0] = '\0';
  progressPending = 0;
  betweenLines = 0;
}

void TaskOutput::Take(const char* bytes, std::size_t length) {
  // Byte by byte, with all state kept in the record between calls, so that where the stream was cut
  // never matters: not for a line end split between CR and LF, nor for blanks that follow a line end.
  for (std::size_t i = 0; i < length; ++i) {
    const char c = bytes[i];
    // A NUL would end the stored string early and hide the rest of its line.
    if (c == '\0') continue;
    if (betweenLines) {
      if (c == ' ' || c == '\r' || c == '\n') continue;
      betweenLines = 0;
    }
    if (c == '\r' || c == '\n') {
      StoreLine(*this, lineBuffer, static_cast<std::size_t>(lineLength));
      lineLength = 0;
      betweenLines = 1;
    } else if (lineLength < kLineBufferSize - 1) {
      lineBuffer[lineLength++] = c;
    }
  }
  lineBuffer[lineLength] = '\0';
}
