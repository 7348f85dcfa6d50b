#include "log_text.h"

#include <cstring>
#include <new>

#include "command_line.h"
#include "str_util.h"
#include "url.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kLogExtension[] = ".log";
const char kDefaultLogName[] = "tarnget.log";

// A stored line's text: what follows its code; a marker alone was stored empty, without one.
const char* LineText(const char* stored) { return stored[0] ? stored + 1 : stored; }

bool IsNameBreaker(unsigned char c) { return c < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr; }

// The last part of a URL's path: after its last "/" and before any query or fragment.
// Double-byte characters are stepped over whole, so a trail byte is never taken for a
// separator. Sets `length` to the part's length.
const char* LastPathPart(const char* path, std::size_t& length) {
  const char* part = path;
  const char* p = path;
  for (; *p && *p != '?' && *p != '#'; ++p) {
    if (is_dbcs_pair(p)) {
      ++p;
      continue;
    }
    if (*p == '/') part = p + 1;
  }
  length = static_cast<std::size_t>(p - part);
  return part;
}

}  // namespace

char* ComposeLogText(const TaskOutput& output, bool withProgress) {
  const std::size_t endLength = sizeof kLineEnd - 1;
  std::size_t size = 1;
  // By the nodes, not the chain's cursor: the message window keeps its place with it.
  for (const chnode<char>* node = output.messages.head; node; node = node->next)
    size += std::strlen(LineText(node->item)) + endLength;
  if (withProgress) size += std::strlen(LineText(output.progressText)) + endLength;

  char* text = new (std::nothrow) char[size];
  if (!text) return nullptr;
  char* end = text;
  auto add = [&end, endLength](const char* line) {
    const std::size_t length = std::strlen(line);
    std::memcpy(end, line, length);
    std::memcpy(end + length, kLineEnd, endLength);
    end += length + endLength;
  };
  for (const chnode<char>* node = output.messages.head; node; node = node->next) add(LineText(node->item));
  if (withProgress) add(LineText(output.progressText));
  *end = '\0';
  return text;
}

void LogFileName(const char* commandLine, char* name, std::size_t size) {
  copy_n(name, kDefaultLogName, size - 1);
  chain<char> args;
  if (SplitCommandLine(commandLine ? commandLine : "", args) != 0 || args.count < 2) {
    args.clear_delete();
    return;
  }
  const char* url = args.nth(1);
  char* path = new (std::nothrow) char[url_component_size(url)];
  if (path) {
    parse_url(url, nullptr, nullptr, nullptr, path, nullptr, nullptr);
    std::size_t length = 0;
    const char* part = LastPathPart(path, length);
    const std::size_t room = size - sizeof kLogExtension;  // the extension and the terminator
    if (length > room) length = room;
    // A double-byte character cut in two would leave a lone lead byte before ".log".
    std::size_t kept = 0;
    while (kept < length) {
      const std::size_t step = is_dbcs_pair(part + kept) ? 2 : 1;
      if (kept + step > length) break;
      kept += step;
    }
    if (kept > 0) {
      for (std::size_t i = 0; i < kept;) {
        if (is_dbcs_pair(part + i)) {
          name[i] = part[i];
          name[i + 1] = part[i + 1];
          i += 2;
        } else {
          name[i] = IsNameBreaker(static_cast<unsigned char>(part[i])) ? '_' : part[i];
          ++i;
        }
      }
      std::memcpy(name + kept, kLogExtension, sizeof kLogExtension);
    }
  }
  delete[] path;
  args.clear_delete();
}
