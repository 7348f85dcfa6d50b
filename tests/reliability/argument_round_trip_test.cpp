// Random argument lists, written into a command line by the commander's own code and read
// back by the stand-in copier's C runtime after a real process start: every argument must
// arrive exactly, less the surrounding blanks, tabs, CRs and LFs that the join trims. The test
// command runs it again under the double-byte code pages 950 and 932 (Wine takes the ANSI code
// page from the locale), where the text holds whole characters of that code page, many of them with
// the trail byte 0x5C; the test program refuses to run on another code page than the one the
// test command meant (TARNWELL_CODE_PAGE).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "command_line.h"
#include "copier_record.h"
#include "dbcs.h"
#include "reliability_support.h"
#include "task_test_support.h"

namespace {

using Strings = std::vector<std::string>;

std::uint32_t Seed() {
  char text[16];
  const DWORD n = ::GetEnvironmentVariableA("TARNWELL_SEED", text, sizeof text);
  return n > 0 && n < sizeof text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 20240611u;
}

class ArgumentMaker {
 public:
  explicit ArgumentMaker(std::uint32_t seed) : random_(seed), codePage_(ansi_code_page()) {}

  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

  // Blanks and tabs anywhere (at the ends too, where the join trims them), double quotes,
  // runs of backslashes before quotes and at the end, CR and LF inside, bytes above 0x7F.
  std::string Argument() {
    if (Below(8) == 0) return Below(2) ? "" : std::string(1 + Below(3), Below(2) ? ' ' : '\t');
    static const char kPunctuation[] = "*?%^&|<>()=:/.,;'`~!@#$-_+[]{}";
    std::string arg;
    const int pieces = Below(12);
    for (int i = 0; i < pieces; ++i) {
      const int kind = Below(20);
      if (kind < 3) {
        arg += Below(3) ? ' ' : '\t';
      } else if (kind < 5) {
        arg += '"';
      } else if (kind < 8) {
        arg.append(1 + Below(5), '\\');
        if (Below(2)) arg += '"';
      } else if (kind < 13) {
        arg += static_cast<char>(Below(2) ? 'a' + Below(26) : '0' + Below(10));
      } else if (kind < 16) {
        arg += HighCharacter();
      } else if (kind < 17) {
        arg += TrailBackslashCharacter();
        if (Below(2)) arg += '"';
      } else if (kind < 18) {
        arg += kPunctuation[Below(sizeof kPunctuation - 1)];
      } else {
        static const char kControls[] = "\r\n\v\x01\x1a\x1f";
        arg += kControls[Below(sizeof kControls - 1)];
      }
    }
    if (Below(5) == 0) arg.append(1 + Below(4), '\\');
    if (Below(6) == 0) arg += TrailBackslashCharacter();
    return arg;
  }

  // One character above 0x7F that the code page defines: on 950 a Big5 character of the
  // frequent range, on 932 a level-1 kanji or a half-width katakana, elsewhere any byte.
  std::string HighCharacter() {
    switch (codePage_) {
      case 950:
        return Pair(0xA4 + Below(0xC6 - 0xA4), Below(2) ? 0x40 + Below(0x3F) : 0xA1 + Below(0x5E));
      case 932:
        if (Below(4) == 0) return std::string(1, static_cast<char>(0xA1 + Below(0x3F)));
        return Pair(0x89 + Below(0x98 - 0x89), Below(2) ? 0x40 + Below(0x3F) : 0x80 + Below(0x7D));
      default:
        return std::string(1, static_cast<char>(0x80 + Below(0x80)));
    }
  }

  // A character whose last byte is 0x5C: one whole character on a double-byte code page, a
  // letter and a backslash on any other.
  std::string TrailBackslashCharacter() {
    switch (codePage_) {
      case 950:
        return Pair(0xA4 + Below(0xC6 - 0xA4), 0x5C);
      case 932:
        return Pair(0x89 + Below(0x98 - 0x89), 0x5C);
      default:
        return Pair(0x80 + Below(0x80), 0x5C);
    }
  }

  // A plain list: the program name, then 0 to 8 arguments; joined with JoinArguments.
  void PlainList(std::string& line, Strings& expected) {
    chain<char> args;
    args.append(dup_n(kCopierProgram, std::strlen(kCopierProgram)));
    const int count = Below(9);
    for (int i = 0; i < count; ++i) {
      const std::string a = Argument();
      args.append(dup_n(a.data(), a.size()));
    }
    char* joined = JoinArguments(args);  // trims each entry in place
    for (chnode<char>* n = args.head; n; n = n->next) expected.push_back(n->item);
    args.clear_delete();
    line = joined ? joined : "";
    delete[] joined;
  }

  // A whole task's command line: random URL and local path, check boxes and an option set
  // whose lists and short texts hold random text; composed with ComposeCommandLine.
  void ComposedList(std::string& line, Strings& expected) {
    TaskOptions o;
    for (ChoiceOption* c :
         {&o.createDirectory, &o.overwriteMode, &o.recursiveMode, &o.transferGauge, &o.clientServerTalk, &o.eraseSource,
          &o.pasvMode, &o.includeNonHtml, &o.relocateImages, &o.decodePosts})
      c->selection = Below(c->ChoiceCount() + 1);
    ShortText(o.retryCount);
    ShortText(o.minimumRows);
    for (unsigned char* flag : {&o.useFirstFilename, &o.useLogFile, &o.useInclusivePatterns, &o.useExclusivePatterns,
                                &o.useWorkDirectory, &o.ftpUpload, &o.ftpGetDirList, &o.useDirListName, &o.httpRecovery,
                                &o.useDefaultHtml, &o.nntpOutdate, &o.useMsgidDirectory, &o.useFileList})
      *flag = static_cast<unsigned char>(Below(2));
    o.includeUnixLinks = Below(2);
    o.includeSameSite = Below(2);
    o.ftpProxyState = Below(3);
    o.httpProxyState = Below(3);
    for (const OptionListName& l : kOptionLists) {
      const int entries = Below(4);
      for (int i = 0; i < entries; ++i) (o.*l.list).append(cstring1_new(Argument().c_str()));
    }
    const std::string url = Argument(), local = Argument();
    const int protocol = Below(4) - 1;
    const bool useConfig = Below(2), useOptions = Below(4) != 0;

    chain<char> args;
    EXPECT_EQ(0, BuildArguments(url.c_str(), local.c_str(), protocol, useConfig, useOptions, o, args));
    for (chnode<char>* n = args.head; n; n = n->next) expected.push_back(trim(n->item));
    args.clear_delete();
    char* composed = ComposeCommandLine(url.c_str(), local.c_str(), protocol, useConfig, useOptions, o);
    line = composed ? composed : "";
    delete[] composed;
  }

 private:
  // Cut at a character's end, as a text typed into the field would be.
  void ShortText(char (&text)[kShortTextSize]) {
    const std::string s = Below(3) ? "" : Argument();
    std::size_t end = 0;
    for (std::size_t next; end < s.size(); end = next) {
      next = end + (is_dbcs_pair(s.c_str() + end) ? 2 : 1);
      if (next > kShortTextSize - 1) break;
    }
    copy_n(text, s.c_str(), end);
  }

  static std::string Pair(int lead, int trail) { return {static_cast<char>(lead), static_cast<char>(trail)}; }

  std::mt19937 random_;
  const unsigned codePage_;
};

const char kProgramPiece[] = "tarnget.exe ";
// A command line holds at most 32767 characters; a batch closes well before that.
const std::size_t kBatchLineLimit = 12000;

// Starts the stand-in as a task starts the copier: by the bare name, no console, with the
// line as given; waits for it to end.
bool StartAndWait(const std::string& line) {
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                        &process))
    return false;
  ::CloseHandle(process.hThread);
  const bool ended = ::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
  ::CloseHandle(process.hProcess);
  return ended;
}

// Several lists may share one start: their lines after the program's piece follow one
// another, and the copier's argv is cut back into the lists by their lengths. Every
// argument is quoted on its own, so its neighbours cannot change how it is read.
struct Batch {
  std::string line = kProgramPiece;
  std::vector<Strings> lists;  // expected arguments after the program name, per list
};

void RoundTrip(int lists, int listsPerStart, const char* label) {
  // The two forms draw different lists from one seed.
  const std::uint32_t seed = Seed() + static_cast<std::uint32_t>(listsPerStart);
  ArgumentMaker maker(seed);
  const std::string record = TempFilePath("rtr");
  ::DeleteFileA(record.c_str());
  CopierScript exitAtOnce("exit 0\n");
  ScopedEnv scriptEnv("TARNGET_SCRIPT", exitAtOnce.Path());
  ScopedEnv recordEnv("TARNGET_RECORD", record);

  std::vector<Batch> batches;
  int composed = 0, highBytes = 0;
  const DWORD start = ::GetTickCount();
  for (int i = 0; i < lists; ++i) {
    if (batches.empty() || static_cast<int>(batches.back().lists.size()) == listsPerStart ||
        batches.back().line.size() > kBatchLineLimit) {
      if (!batches.empty()) {
        ASSERT_TRUE(StartAndWait(batches.back().line)) << "start " << batches.size();
      }
      batches.emplace_back();
    }
    std::string line;
    Strings expected;
    if (maker.Below(4) == 0) {
      maker.ComposedList(line, expected);
      ++composed;
    } else {
      maker.PlainList(line, expected);
    }
    ASSERT_EQ(0u, line.compare(0, sizeof kProgramPiece - 1, kProgramPiece)) << line;
    ASSERT_EQ(kCopierProgram, expected.front());
    for (unsigned char c : line) highBytes += c >= 0x80;
    batches.back().line += line.substr(sizeof kProgramPiece - 1);
    batches.back().lists.emplace_back(expected.begin() + 1, expected.end());
  }
  ASSERT_TRUE(StartAndWait(batches.back().line)) << "last start";
  const DWORD elapsed = ::GetTickCount() - start;

  const std::vector<Strings> records = ReadCopierRecords(record);
  ::DeleteFileA(record.c_str());
  ASSERT_EQ(batches.size(), records.size());
  int mismatches = 0, checked = 0;
  for (std::size_t b = 0; b < batches.size(); ++b) {
    const Strings& got = records[b];
    ASSERT_GE(got.size(), 2u);
    // The command line itself arrives unchanged, bytes above 0x7F included.
    EXPECT_EQ(batches[b].line, got[0]) << "start " << b;
    EXPECT_EQ(kCopierProgram, got[1]);
    std::size_t at = 2;
    for (const Strings& list : batches[b].lists) {
      const std::size_t end = at + list.size();
      const Strings received(got.begin() + std::min(at, got.size()), got.begin() + std::min(end, got.size()));
      ++checked;
      if (received != list) {
        if (++mismatches <= 5)
          ADD_FAILURE() << "start " << b << ": expected " << testing::PrintToString(list) << "\n got "
                        << testing::PrintToString(received);
      }
      at = end;
    }
    EXPECT_EQ(at, got.size()) << "start " << b << ": argument count";
  }
  EXPECT_EQ(0, mismatches);
  EXPECT_EQ(lists, checked);
  Figure(
      "argument round trip (%s): %d lists (%d composed from option sets), %d process starts, %d lists "
      "per start, %d bytes above 0x7F, %d mismatches, seed %u, code page %u, %lu ms",
      label, checked, composed, static_cast<int>(batches.size()), listsPerStart, highBytes, mismatches, seed,
      ::GetACP(), static_cast<unsigned long>(elapsed));
}

// One list per process start: nothing but the list itself on the line.
TEST(ArgumentRoundTrip, OneListPerStart) { RoundTrip(Scaled(30, 1000), 1, "one per start"); }

// Many lists on one line, so that the long form reaches ten thousand lists in minutes.
TEST(ArgumentRoundTrip, ManyListsPerStart) { RoundTrip(Scaled(200, 10000), 20, "batched"); }

}  // namespace
