#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "../common/code_page.h"
#include "command_line.h"

namespace {

using Strings = std::vector<std::string>;

void Fill(chain<cstring1>& list, std::initializer_list<const char*> entries) {
  for (const char* e : entries) list.append(cstring1_new(e));
}

Strings Take(chain<char>& args) {
  Strings out;
  for (chnode<char>* n = args.head; n; n = n->next) out.push_back(n->item);
  args.clear_delete();
  return out;
}

Strings Build(const char* url, const char* local, int protocol, const TaskOptions& o, bool useConfig = true,
              bool useOptions = true) {
  chain<char> args;
  EXPECT_EQ(BuildArguments(url, local, protocol, useConfig, useOptions, o, args), 0);
  return Take(args);
}

std::string Compose(const char* url, const char* local, int protocol, const TaskOptions& o, bool useConfig = true,
                    bool useOptions = true) {
  char* line = ComposeCommandLine(url, local, protocol, useConfig, useOptions, o);
  std::string s = line ? line : "(null)";
  delete[] line;
  return s;
}

Strings Split(const std::string& line) {
  chain<char> args;
  EXPECT_EQ(SplitCommandLine(line.c_str(), args), 0);
  return Take(args);
}

std::string Quote(const char* arg) {
  char* piece = QuoteArgument(arg);
  std::string s = piece;
  delete[] piece;
  return s;
}

std::string Join(const Strings& args) {
  chain<char> c;
  for (const std::string& a : args) c.append(dup_n(a.data(), a.size()));
  char* line = JoinArguments(c);
  c.clear_delete();
  std::string s = line;
  delete[] line;
  return s;
}

// Every option of every group on, with values, so the order of each group shows in full.
void SetEverything(TaskOptions& o) {
  o.overwriteMode.selection = 2;
  o.createDirectory.selection = 3;
  o.recursiveMode.selection = 1;
  o.transferGauge.selection = 1;
  o.clientServerTalk.selection = 2;
  std::strcpy(o.retryCount, "5");
  o.useFirstFilename = 1;
  Fill(o.firstFilename, {"index.txt", "old.txt"});
  o.useLogFile = 1;
  Fill(o.logFile, {"c:/log.log"});
  o.useInclusivePatterns = 1;
  Fill(o.inclusivePatterns, {"*.zip", "*.txt"});
  o.useExclusivePatterns = 1;
  Fill(o.exclusivePatterns, {"*.exe"});
  o.useWorkDirectory = 1;
  Fill(o.workDirectory, {"c:/work"});
  o.ftpGetDirList = 1;
  o.useDirListName = 1;
  Fill(o.dirListName, {"list.txt"});
  o.eraseSource.selection = 1;
  o.includeUnixLinks = 1;
  o.pasvMode.selection = 2;
  o.ftpProxyState = kProxyOn;
  Fill(o.ftpProxy, {"fproxy:21"});
  o.httpRecovery = 1;
  o.useDefaultHtml = 1;
  Fill(o.defaultHtml, {"index.htm"});
  o.includeSameSite = 1;
  o.includeNonHtml.selection = 1;
  o.relocateImages.selection = 2;
  o.httpProxyState = kProxyOn;
  Fill(o.httpProxy, {"hproxy:8080"});
  o.nntpOutdate = 1;
  o.decodePosts.selection = 1;
  std::strcpy(o.minimumRows, "20");
  o.useMsgidDirectory = 1;
  Fill(o.msgidDirectory, {"c:/msgid"});
  o.useFileList = 1;
  Fill(o.fileList, {"files.lst"});
}

const Strings kCommon = {"-o",           "-c-",           "-r",       "-g",       "-t-",      "-retry=5",
                         "-f=index.txt", "-l=c:/log.log", "-y=*.zip", "-y=*.txt", "-x=*.exe", "-w=c:/work"};

Strings With(Strings head, std::initializer_list<const char*> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(ComposeCommandLine, WorkedExampleComesOutPieceForPiece) {
  TaskOptions o;
  o.overwriteMode.selection = 1;
  o.recursiveMode.selection = 1;
  o.useLogFile = 1;
  o.ftpUpload = 1;
  o.pasvMode.selection = 1;
  o.ftpProxyState = kProxyDefault;
  EXPECT_EQ(Build("ftp://host/pub", "c:/my files", 0, o),
            (Strings{"tarnget.exe", "ftp://host/pub", "c:/my files", "-o?", "-r", "-l", "-u", "-pasv", "-p"}));
  EXPECT_EQ(Compose("ftp://host/pub", "c:/my files", 0, o),
            "tarnget.exe ftp://host/pub \"c:/my files\" -o? -r -l -u -pasv -p ");
}

TEST(ComposeCommandLine, WithoutOptionsOnlyTheFieldsAndConfigSwitch) {
  TaskOptions o;
  SetEverything(o);
  EXPECT_EQ(Compose("ftp://h/", "d", 0, o, true, false), "tarnget.exe ftp://h/ d ");
  EXPECT_EQ(Compose("ftp://h/", "d", 0, o, false, false), "tarnget.exe ftp://h/ d -cfg~ ");
  TaskOptions defaults;
  EXPECT_EQ(Compose("ftp://h/", "d", 0, defaults, false, true), "tarnget.exe ftp://h/ d -cfg~ ");
}

TEST(ComposeCommandLine, EachProtocolGroupInItsOrder) {
  TaskOptions o;
  SetEverything(o);
  const Strings head = {"tarnget.exe", "u", "l", "-cfg~"};
  Strings common = head;
  common.insert(common.end(), kCommon.begin(), kCommon.end());
  EXPECT_EQ(Build("u", "l", 0, o, false), With(common, {"-d=list.txt", "-r*", "-e", "-pasv-", "-p=fproxy:21"}));
  EXPECT_EQ(Build("u", "l", 1, o, false),
            With(common, {"-rcv", "-h=index.htm", "-r*", "-i-", "-hyp", "-p=hproxy:8080"}));
  EXPECT_EQ(Build("u", "l", 2, o, false),
            With(common, {"-old", "-dec", "-pasv-", "-min=20", "-msgid=c:/msgid", "-fl=files.lst"}));
  EXPECT_EQ(Build("u", "l", -1, o, false), common) << "an unknown protocol adds no group";
}

TEST(ComposeCommandLine, ModesAndTheirValues) {
  TaskOptions o;
  o.ftpUpload = 1;
  o.ftpGetDirList = 1;
  EXPECT_EQ(Build("u", "l", 0, o), (Strings{"tarnget.exe", "u", "l", "-u"})) << "Upload wins";
  o.ftpUpload = 0;
  Fill(o.dirListName, {"names"});
  EXPECT_EQ(Build("u", "l", 0, o), (Strings{"tarnget.exe", "u", "l", "-d"})) << "name not checked";
  o.useDirListName = 1;
  EXPECT_EQ(Build("u", "l", 0, o).back(), "-d=names");
  o.dirListName.clear_delete();
  EXPECT_EQ(Build("u", "l", 0, o).back(), "-d") << "checked, empty list";

  o.useFirstFilename = 1;
  o.useWorkDirectory = 1;
  o.useDefaultHtml = 1;
  o.useMsgidDirectory = 1;
  o.useFileList = 1;
  EXPECT_EQ(Build("u", "l", 1, o), (Strings{"tarnget.exe", "u", "l"})) << "checked options with empty lists";
  EXPECT_EQ(Build("u", "l", 2, o), (Strings{"tarnget.exe", "u", "l"}));
}

TEST(ComposeCommandLine, RecursiveAllLinksGivesOneRStar) {
  TaskOptions o;
  o.includeUnixLinks = 1;
  o.includeSameSite = 1;
  o.recursiveMode.selection = 2;
  EXPECT_EQ(Build("u", "l", 0, o), (Strings{"tarnget.exe", "u", "l", "-r*"}));
  EXPECT_EQ(Build("u", "l", 1, o), (Strings{"tarnget.exe", "u", "l", "-r*"}));
  o.recursiveMode.selection = 1;
  EXPECT_EQ(Build("u", "l", 0, o), (Strings{"tarnget.exe", "u", "l", "-r", "-r*"}));
  o.recursiveMode.selection = 0;
  o.includeUnixLinks = 0;
  EXPECT_EQ(Build("u", "l", 0, o), (Strings{"tarnget.exe", "u", "l"}));
}

TEST(ComposeCommandLine, PasvAndProxyByProtocolAndState) {
  TaskOptions o;
  o.pasvMode.selection = 2;
  EXPECT_EQ(Build("u", "l", 0, o).back(), "-pasv-");
  EXPECT_EQ(Build("u", "l", 2, o).back(), "-pasv-");
  EXPECT_EQ(Build("u", "l", 1, o).size(), 3u) << "never for HTTP";
  o.pasvMode.selection = 0;

  o.httpProxyState = kProxyOn;
  EXPECT_EQ(Build("u", "l", 1, o).size(), 3u) << "checked with an empty list adds nothing";
  Fill(o.httpProxy, {"first:1", "second:2"});
  EXPECT_EQ(Build("u", "l", 1, o).back(), "-p=first:1");
  o.httpProxyState = kProxyDefault;
  EXPECT_EQ(Build("u", "l", 1, o).back(), "-p");
  o.httpProxyState = kProxyOff;
  EXPECT_EQ(Build("u", "l", 1, o).size(), 3u);
  EXPECT_EQ(Build("u", "l", 0, o).size(), 3u) << "the HTTP proxy is not the FTP one";
}

TEST(ComposeCommandLine, PatternsAllInListOrderBeyondFortyArguments) {
  TaskOptions o;
  Fill(o.inclusivePatterns, {"b", "a", "c"});
  EXPECT_EQ(Build("u", "l", 1, o).size(), 3u) << "box unchecked";
  o.useInclusivePatterns = 1;
  EXPECT_EQ(Build("u", "l", 1, o), (Strings{"tarnget.exe", "u", "l", "-y=b", "-y=a", "-y=c"}));

  o.useExclusivePatterns = 1;
  for (int i = 0; i < 30; ++i) {
    o.inclusivePatterns.append(cstring1_adopt(format_alloc("in%d", i)));
    o.exclusivePatterns.append(cstring1_adopt(format_alloc("ex %d", i)));
  }
  const Strings args = Split(Compose("u", "l", 1, o));
  ASSERT_EQ(args.size(), 3u + 33u + 30u);
  EXPECT_EQ(args[6], "-y=in0");
  EXPECT_EQ(args.back(), "-x=ex 29");
}

TEST(ComposeCommandLine, ShortTextsAreBoundedAndPassedUnchanged) {
  TaskOptions o;
  std::memcpy(o.retryCount, "1234567890", sizeof o.retryCount);  // no terminator
  std::strcpy(o.minimumRows, "%s%d");
  const Strings args = Build("u", "l", 2, o);
  EXPECT_EQ(args, (Strings{"tarnget.exe", "u", "l", "-retry=123456789", "-min=%s%d"}));
}

TEST(JoinArguments, TrimsThenQuotesWhatWouldNotArriveIntact) {
  EXPECT_EQ(Join({"tarnget.exe", " \t ftp://h/x \r\n", "c:\\dir\\"}), "tarnget.exe ftp://h/x c:\\dir\\ ");
  // The URL of blanks arrives as an empty argument, so the local path stays argument 2.
  EXPECT_EQ(Join({"tarnget.exe", "   ", ""}), "tarnget.exe \"\" \"\" ");
  EXPECT_EQ(Join({"tarnget.exe", "http://h/a b", "c:\\my files\\", "-w=c:\\a\\\\"}),
            "tarnget.exe \"http://h/a b\" \"c:\\my files\\\\\" -w=c:\\a\\\\ ");
}

TEST(QuoteArgument, EscapesOnlyWhereThePlatformWouldMisread) {
  EXPECT_EQ(Quote("plain\\path\\"), "plain\\path\\ ");
  EXPECT_EQ(Quote("-r*"), "-r* ");
  EXPECT_EQ(Quote(""), "\"\" ");
  EXPECT_EQ(Quote("a b"), "\"a b\" ");
  EXPECT_EQ(Quote("a\tb"), "\"a\tb\" ");
  EXPECT_EQ(Quote("say \"hi\""), "\"say \\\"hi\\\"\" ");
  EXPECT_EQ(Quote("a\\\"b"), "\"a\\\\\\\"b\" ");
  EXPECT_EQ(Quote("dir \\\\"), "\"dir \\\\\\\\\" ");
  EXPECT_EQ(Quote("a\\b c"), "\"a\\b c\" ") << "backslashes not before a quote stay single";
}

TEST(SplitCommandLine, FollowsTheRuntimesRules) {
  EXPECT_EQ(Split("prog \"a b c\" d e"), (Strings{"prog", "a b c", "d", "e"}));
  EXPECT_EQ(Split("prog \"ab\\\"c\" \"\\\\\" d"), (Strings{"prog", "ab\"c", "\\", "d"}));
  EXPECT_EQ(Split("prog a\\\\\\b d\"e f\"g h"), (Strings{"prog", "a\\\\\\b", "de fg", "h"}));
  EXPECT_EQ(Split("prog a\\\\\\\"b c d"), (Strings{"prog", "a\\\"b", "c", "d"}));
  EXPECT_EQ(Split("prog a\\\\\\\\\"b c\" d e"), (Strings{"prog", "a\\\\b c", "d", "e"}));
  EXPECT_EQ(Split("prog \"\" \t x\t"), (Strings{"prog", "", "x"}));
  EXPECT_EQ(Split("prog \"a\"\"b\" \"unclosed c"), (Strings{"prog", "a\"b", "unclosed c"}));
  EXPECT_EQ(Split("\"C:\\Program Files\\t.exe\" x"), (Strings{"C:\\Program Files\\t.exe", "x"}));
  EXPECT_EQ(Split("C:\\a\\\"b x"), (Strings{"C:\\a\\b x"})) << "the program name takes no escapes";
  EXPECT_EQ(Split(""), (Strings{""}));
}

// Characters whose second byte is the backslash code: Big5 "許" and "功", Shift-JIS "ソ" and "表".
#define BIG5_XU "\xB3\x5C"
#define BIG5_GONG "\xA5\x5C"
#define SJIS_SO "\x83\x5C"
#define SJIS_HYOU "\x95\x5C"

// The copier's runtime reads a double-byte character whole: its trail byte escapes nothing
// and needs no escape, before a quote or before the closing quote.
TEST(QuoteArgument, TrailByteBackslashIsPartOfItsCharacterOnBig5) {
  ON_CODE_PAGE(950);
  EXPECT_EQ(Quote("C:\\my " BIG5_XU), "\"C:\\my " BIG5_XU "\" ");
  EXPECT_EQ(Quote(BIG5_GONG "\"x"), "\"" BIG5_GONG "\\\"x\" ");
  EXPECT_EQ(Quote("a " BIG5_XU "\\"), "\"a " BIG5_XU "\\\\\" ") << "a real backslash after it is still doubled";
  EXPECT_EQ(Split("prog \"d " BIG5_XU "\" next \"" BIG5_GONG "\\\"q\""),
            (Strings{"prog", "d " BIG5_XU, "next", BIG5_GONG "\"q"}));
}

TEST(QuoteArgument, TrailByteBackslashIsPartOfItsCharacterOnShiftJis) {
  ON_CODE_PAGE(932);
  EXPECT_EQ(Quote("c:\\" SJIS_SO " x"), "\"c:\\" SJIS_SO " x\" ");
  EXPECT_EQ(Quote(SJIS_HYOU "\""), "\"" SJIS_HYOU "\\\"\" ");
  EXPECT_EQ(Quote("\xB1\\ x"),
            "\"\xB1\\ x\""
            " ")
      << "a half-width katakana is one byte";
  EXPECT_EQ(Quote("\xB1\\\""), "\"\xB1\\\\\\\"\" ");
}

// Without double-byte characters every 0x5C is a backslash, whatever byte precedes it.
TEST(QuoteArgument, EveryBackslashCodeIsABackslashOnCodePage1252) {
  ON_CODE_PAGE(1252);
  EXPECT_EQ(Quote("caf\xE9 " BIG5_XU), "\"caf\xE9 " BIG5_XU "\\\" ");
  EXPECT_EQ(Quote(BIG5_GONG "\"x"), "\"" BIG5_GONG "\\\\\"x\" ") << "three backslashes and the quote";
}

// Random lists of the code page's characters, a trail byte 0x5C among them, round trip
// through join and split.
void RoundTripRandom(const std::vector<std::string>& own) {
  std::vector<std::string> units = {" ", "\t", "\"", "\\", "\\", "a", "*", "\n", "\r", "%"};
  units.insert(units.end(), own.begin(), own.end());
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    Strings args = {"tarnget.exe"};
    const int count = static_cast<int>(random() % 6);
    for (int i = 0; i < count; ++i) {
      std::string a;
      const int length = static_cast<int>(random() % 9);
      for (int j = 0; j < length; ++j) a += units[random() % units.size()];
      args.push_back(a);
    }
    Strings trimmed;
    for (const std::string& a : args) {
      std::string t = a;
      t.erase(0, t.find_first_not_of(" \t\r\n"));
      t.erase(t.find_last_not_of(" \t\r\n") + 1);
      trimmed.push_back(t);
    }
    const std::string line = Join(args);
    ASSERT_EQ(Split(line), trimmed) << "command line: [" << line << "]";
  }
}

TEST(SplitCommandLine, RoundTripsRandomTrickyArguments) {
  ON_CODE_PAGE(1252);
  RoundTripRandom({"\x80", "\xff", "\xE9", BIG5_XU});
}

TEST(SplitCommandLine, RoundTripsRandomBig5Arguments) {
  ON_CODE_PAGE(950);
  RoundTripRandom({BIG5_XU, BIG5_GONG, "\xA4\xA1", "\xA4@"});
}

TEST(SplitCommandLine, RoundTripsRandomShiftJisArguments) {
  ON_CODE_PAGE(932);
  RoundTripRandom({SJIS_SO, SJIS_HYOU, "\xB1", "\xE0\\"});
}

}  // namespace
