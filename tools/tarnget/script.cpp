#include "script.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "stdout_writer.h"

namespace {

class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<std::uint32_t>(state_ >> 11);
  }
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }

private:
  std::uint64_t state_;
};

// Writes `total` bytes that `next` makes, a block at a time.
template <typename Make>
void WriteGenerated(std::uint64_t total, Make next) {
  char block[4096];
  while (total > 0) {
    const std::size_t n = total < sizeof block ? static_cast<std::size_t>(total) : sizeof block;
    for (std::size_t i = 0; i < n; ++i) block[i] = next();
    WriteOut(block, n);
    total -= n;
  }
}

// Endless marked lines of random printable text, byte by byte.
class LineMaker {
public:
  explicit LineMaker(Random& random) : random_(random) {}
  char operator()() {
    if (pos_ == line_.size()) NewLine();
    return line_[pos_++];
  }

private:
  void NewLine() {
    static const char kMarkers[] = "@!*CS~x ";
    line_.assign(1, kMarkers[random_.Below(sizeof kMarkers - 1)]);
    if (random_.Below(2)) line_ += random_.Below(2) ? ": " : " ";
    const std::uint32_t length = random_.Below(4) == 0 ? random_.Below(700) : random_.Below(100);
    for (std::uint32_t i = 0; i < length; ++i) line_ += static_cast<char>(' ' + random_.Below(95));
    line_ += random_.Below(2) ? "\r\n" : "\n";
    pos_ = 0;
  }
  Random& random_;
  std::string line_;
  std::size_t pos_ = 0;
};

void Flood(std::uint64_t total, const std::string& kind, std::uint64_t seed) {
  Random random(seed);
  if (kind == "lines") {
    LineMaker lines(random);
    WriteGenerated(total, lines);
  } else if (kind == "noends") {
    WriteGenerated(total, [&random] {
      char c;
      do c = static_cast<char>(random.Below(256)); while (c == '\r' || c == '\n');
      return c;
    });
  } else {
    WriteGenerated(total, [&random] { return static_cast<char>(random.Below(256)); });
  }
}

const std::size_t kRateLineLength = 64;

// Writes numbered 64-byte lines so that after t ms about bytesPerSecond * t / 1000 bytes are out.
void Rate(std::uint64_t bytesPerSecond, std::uint64_t ms) {
  const std::uint64_t total = bytesPerSecond * ms / 1000;
  std::uint64_t written = 0;
  std::uint64_t lineNumber = 0;
  std::string pending;
  const DWORD start = GetTickCount();
  for (;;) {
    const std::uint64_t elapsed = GetTickCount() - start;
    std::uint64_t due = elapsed >= ms ? total : bytesPerSecond * elapsed / 1000;
    while (written < due) {
      if (pending.empty()) {
        char head[32];
        std::snprintf(head, sizeof head, "@ rate line %08llu ", static_cast<unsigned long long>(lineNumber++));
        pending = head;
        pending.append(kRateLineLength - 1 - pending.size(), '.');
        pending += '\n';
      }
      const std::size_t n = due - written < pending.size() ? static_cast<std::size_t>(due - written) : pending.size();
      WriteOut(pending.data(), n);
      pending.erase(0, n);
      written += n;
    }
    if (written >= total) return;
    Sleep(20);
  }
}

// A pipe whose writer is still open would block a plain read for ever (a child that inherited the
// write end of its own input pipe is such a writer), so a pipe is polled for at most kStdinWaitMs.
const DWORD kStdinWaitMs = 2000;

void ReadStdin() {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  char buffer[4096];
  unsigned long long total = 0;
  DWORD got = 0;
  bool atEnd = true;
  if (GetFileType(in) == FILE_TYPE_PIPE) {
    const DWORD start = GetTickCount();
    for (;;) {
      DWORD waiting = 0;
      if (!PeekNamedPipe(in, nullptr, 0, nullptr, &waiting, nullptr)) break;
      if (waiting > 0) {
        if (!ReadFile(in, buffer, sizeof buffer, &got, nullptr)) break;
        total += got;
      } else if (GetTickCount() - start >= kStdinWaitMs) {
        atEnd = false;
        break;
      } else {
        Sleep(10);
      }
    }
  } else {
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) total += got;
  }
  char line[80];
  if (atEnd)
    std::snprintf(line, sizeof line, "@ stdin: %llu bytes\n", total);
  else
    std::snprintf(line, sizeof line, "* stdin: still open after %lu ms, %llu bytes\n",
                  static_cast<unsigned long>(kStdinWaitMs), total);
  WriteOut(line);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of a double-quoted text with escapes; false when it is malformed.
bool Unquote(const std::string& args, std::string& bytes) {
  std::size_t i = args.find_first_not_of(" \t");
  if (i == std::string::npos || args[i] != '"') return false;
  for (++i; i < args.size(); ++i) {
    char c = args[i];
    if (c == '"') return args.find_first_not_of(" \t", i + 1) == std::string::npos;
    if (c != '\\') {
      bytes += c;
      continue;
    }
    if (++i == args.size()) return false;
    switch (args[i]) {
      case 'n': bytes += '\n'; break;
      case 'r': bytes += '\r'; break;
      case 't': bytes += '\t'; break;
      case '0': bytes += '\0'; break;
      case '\\': bytes += '\\'; break;
      case '"': bytes += '"'; break;
      case 'x': {
        const int high = i + 1 < args.size() ? HexDigit(args[i + 1]) : -1;
        const int low = i + 2 < args.size() ? HexDigit(args[i + 2]) : -1;
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return false;
}

// Splits off the next blank-separated word of `rest`.
std::string NextWord(std::string& rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos) {
    rest.clear();
    return std::string();
  }
  const std::size_t end = rest.find_first_of(" \t", start);
  std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
  rest = end == std::string::npos ? std::string() : rest.substr(end);
  return word;
}

bool ParseNumber(const std::string& word, std::uint64_t& value) {
  if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos || word.size() > 19) return false;
  value = std::strtoull(word.c_str(), nullptr, 10);
  return true;
}

int ScriptError(std::size_t lineNumber, const char* what) {
  char line[128];
  std::snprintf(line, sizeof line, "* script line %u: %s\n", static_cast<unsigned>(lineNumber), what);
  WriteOut(line);
  return kScriptErrorExit;
}

}  // namespace

int RunScript(const std::string& text) {
  std::size_t lineNumber = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string rest = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!rest.empty() && rest.back() == '\r') rest.pop_back();
    const std::string command = NextWord(rest);
    if (command.empty() || command[0] == '#') continue;

    std::uint64_t a = 0, b = 0;
    if (command == "write") {
      std::string bytes;
      if (!Unquote(rest, bytes)) return ScriptError(lineNumber, "write needs one quoted text");
      WriteOut(bytes.data(), bytes.size());
    } else if (command == "sleep") {
      if (!ParseNumber(NextWord(rest), a)) return ScriptError(lineNumber, "sleep needs milliseconds");
      Sleep(static_cast<DWORD>(a));
    } else if (command == "flood") {
      if (!ParseNumber(NextWord(rest), a)) return ScriptError(lineNumber, "flood needs a byte count");
      std::string kind = NextWord(rest);
      if (kind.empty()) kind = "any";
      if (kind != "any" && kind != "noends" && kind != "lines") return ScriptError(lineNumber, "unknown flood kind");
      const std::string seed = NextWord(rest);
      b = 1;
      if (!seed.empty() && !ParseNumber(seed, b)) return ScriptError(lineNumber, "flood seed is not a number");
      Flood(a, kind, b);
    } else if (command == "rate") {
      if (!ParseNumber(NextWord(rest), a) || !ParseNumber(NextWord(rest), b))
        return ScriptError(lineNumber, "rate needs bytes per second and milliseconds");
      Rate(a, b);
    } else if (command == "stdin") {
      ReadStdin();
    } else if (command == "exit") {
      if (!ParseNumber(NextWord(rest), a)) return ScriptError(lineNumber, "exit needs a code");
      return static_cast<int>(static_cast<std::uint32_t>(a));
    } else {
      return ScriptError(lineNumber, "unknown command");
    }
  }
  return 0;
}
