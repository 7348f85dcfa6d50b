// Copier output, any bytes, cut into chunks at positions the input chooses: no access
// outside a buffer, every stored line is empty or starts with a message code, and what is
// stored is the same as when the whole stream arrives at once.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "task_output.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Snapshot {
  std::vector<std::string> lines;
  std::string progress, pending;
  int pendingFlag;
};

Snapshot Take(TaskOutput& out) {
  Snapshot s;
  for (const chnode<char>* n = out.messages.count ? out.messages.head : nullptr; n; n = n->next) {
    const std::string line = n->item;
    Check(line.size() < TaskOutput::kLineBufferSize);
    Check(line.empty() || (line[0] >= '0' && line[0] <= '4'));
    s.lines.push_back(line);
  }
  Check(std::memchr(out.progressText, '\0', TaskOutput::kProgressSize) != nullptr);
  s.progress = out.progressText;
  Check(s.progress.empty() || s.progress[0] == '5');
  Check(out.lineLength >= 0 && out.lineLength < TaskOutput::kLineBufferSize);
  s.pending.assign(out.lineBuffer, static_cast<std::size_t>(out.lineLength));
  s.pendingFlag = out.progressPending;
  return s;
}

}  // namespace

// Layout: one byte n, then n cut sizes (each byte + 1), then the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t cuts = data[0] % 32;
  if (size < 1 + cuts) return 0;
  const char* stream = reinterpret_cast<const char*>(data + 1 + cuts);
  const std::size_t length = size - 1 - cuts;

  TaskOutput whole;
  whole.Take(stream, length);
  const Snapshot expected = Take(whole);

  TaskOutput pieces;
  std::size_t at = 0, k = 0;
  while (at < length) {
    std::size_t n = cuts ? static_cast<std::size_t>(data[1 + k++ % cuts]) + 1 : 1;
    if (n > length - at) n = length - at;
    pieces.Take(stream + at, n);
    at += n;
  }
  const Snapshot got = Take(pieces);
  Check(got.lines == expected.lines);
  Check(got.progress == expected.progress);
  Check(got.pending == expected.pending);
  Check(got.pendingFlag == expected.pendingFlag);
  return 0;
}
