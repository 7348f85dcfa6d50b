// Random argument lists (blanks, tabs, quotes, runs of backslashes, empty arguments, bytes
// above 0x7F) under one ANSI code page: the composed command line, split by the platform's
// argument rules, gives back exactly the arguments, trimmed as composing trims them, in order.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "command_line.h"
#include "dbcs.h"
#include "str_util.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

char* Dup(const std::string& s) { return dup_n(s.c_str(), s.size()); }

const unsigned kCodePages[] = {1252, 932, 936, 949, 950};

// Text of a double-byte code page holds whole characters, and no trail byte lies below 0x40 in
// any of them: a lead byte without such a trail is left out, as no real text holds one.
std::string WholeCharacters(const std::string& arg) {
  std::string out;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (!is_lead_byte(arg[i])) {
      out += arg[i];
    } else if (i + 1 < arg.size() && static_cast<unsigned char>(arg[i + 1]) >= 0x40) {
      out += arg.substr(i, 2);
      ++i;
    }
  }
  return out;
}

}  // namespace

// The first byte picks the code page; after it, arguments are separated by the byte 0x01. NUL
// cannot stand inside an argument.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  set_ansi_code_page(kCodePages[data[0] % (sizeof kCodePages / sizeof kCodePages[0])]);
  ++data;
  --size;
  std::vector<std::string> args{kCopierProgram};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\x01') {
      args.push_back(WholeCharacters(current));
      current.clear();
    } else if (c != '\0') {
      current += c;
    }
  }
  if (size) args.push_back(WholeCharacters(current));

  chain<char> pieces;
  for (const std::string& a : args) pieces.append(Dup(a));
  char* line = JoinArguments(pieces);
  Check(line != nullptr);
  pieces.clear_delete();

  chain<char> split;
  Check(SplitCommandLine(line, split) == 0);
  std::vector<std::string> got;
  for (char* a = split.first(); a; a = split.next()) got.push_back(a);
  split.clear_delete();
  delete[] line;

  std::vector<std::string> expected;
  for (const std::string& a : args) {
    std::string t = a;
    char* copy = Dup(t);
    expected.push_back(trim(copy));
    delete[] copy;
  }
  Check(got == expected);
  return 0;
}
