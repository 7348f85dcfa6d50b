#include "command_line.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "heap_text.h"
#include "str_util.h"

const char kCopierProgram[] = "tarnget.exe";

namespace {

// "Recursive mode" "All links" already means "-r*"; the yes-only options then add nothing.
const std::int32_t kRecursiveAllLinks = 2;

const char* FirstEntry(const chain<cstring1>& list) {
  const cstring1* first = list.nth(0);
  return first ? cstring1_text(first) : nullptr;
}

// Collects arguments and remembers whether any could not be allocated, so that the building code
// reads as the plain list of rules it is.
class ArgumentList {
public:
  explicit ArgumentList(chain<char>& args) : args_(args) {}
  bool failed() const { return failed_; }

  void Add(const char* text) {
    if (text) Take(dup_n(text, std::strlen(text)));
  }
  // A switch with its value put in place of %s, unchanged.
  void AddFormatted(const char* format, const char* value) { Take(format_alloc(format, value)); }
  // A short text holds at most its size less one characters, terminated or not.
  void AddShortText(const char* format, const char (&text)[kShortTextSize]) {
    char value[kShortTextSize];
    copy_n(value, text, kShortTextSize - 1);
    if (value[0] != '\0') AddFormatted(format, value);
  }
  // "-x=first entry" when the option is checked and has a value.
  void AddFirstEntry(const char* format, unsigned char checked, const chain<cstring1>& list) {
    const char* first = FirstEntry(list);
    if (checked && first) AddFormatted(format, first);
  }
  void AddEveryEntry(const char* format, const chain<cstring1>& list) {
    for (const chnode<cstring1>* node = list.head; node; node = node->next)
      AddFormatted(format, cstring1_text(node->item));
  }
  void AddProxy(std::int32_t state, const chain<cstring1>& list) {
    if (state == kProxyOn)
      AddFirstEntry("-p=%s", 1, list);
    else if (state == kProxyDefault)
      Add("-p");
  }

private:
  void Take(char* text) {
    if (!append_text(args_, std::unique_ptr<char[]>(text))) failed_ = true;
  }
  chain<char>& args_;
  bool failed_ = false;
};

void AddCommonOptions(ArgumentList& a, const TaskOptions& o) {
  a.Add(o.overwriteMode.Switch());
  a.Add(o.createDirectory.Switch());
  a.Add(o.recursiveMode.Switch());
  a.Add(o.transferGauge.Switch());
  a.Add(o.clientServerTalk.Switch());
  a.AddShortText("-retry=%s", o.retryCount);
  a.AddFirstEntry("-f=%s", o.useFirstFilename, o.firstFilename);
  if (o.useLogFile) {
    const char* log = FirstEntry(o.logFile);
    if (log)
      a.AddFormatted("-l=%s", log);
    else
      a.Add("-l");
  }
  if (o.useInclusivePatterns) a.AddEveryEntry("-y=%s", o.inclusivePatterns);
  if (o.useExclusivePatterns) a.AddEveryEntry("-x=%s", o.exclusivePatterns);
  a.AddFirstEntry("-w=%s", o.useWorkDirectory, o.workDirectory);
}

void AddFtpOptions(ArgumentList& a, const TaskOptions& o) {
  // The mode is one radio group: Upload wins should both flags ever be set.
  if (o.ftpUpload) {
    a.Add("-u");
  } else if (o.ftpGetDirList) {
    const char* name = FirstEntry(o.dirListName);
    if (o.useDirListName && name)
      a.AddFormatted("-d=%s", name);
    else
      a.Add("-d");
  }
  if (o.includeUnixLinks == 1 && o.recursiveMode.selection != kRecursiveAllLinks) a.Add("-r*");
  a.Add(o.eraseSource.Switch());
  a.Add(o.pasvMode.Switch());
  a.AddProxy(o.ftpProxyState, o.ftpProxy);
}

void AddHttpOptions(ArgumentList& a, const TaskOptions& o) {
  if (o.httpRecovery) a.Add("-rcv");
  a.AddFirstEntry("-h=%s", o.useDefaultHtml, o.defaultHtml);
  if (o.includeSameSite == 1 && o.recursiveMode.selection != kRecursiveAllLinks) a.Add("-r*");
  a.Add(o.relocateImages.Switch());
  a.Add(o.includeNonHtml.Switch());
  a.AddProxy(o.httpProxyState, o.httpProxy);
}

void AddNntpOptions(ArgumentList& a, const TaskOptions& o) {
  if (o.nntpOutdate) a.Add("-old");
  a.Add(o.decodePosts.Switch());
  a.Add(o.pasvMode.Switch());
  a.AddShortText("-min=%s", o.minimumRows);
  a.AddFirstEntry("-msgid=%s", o.useMsgidDirectory, o.msgidDirectory);
  a.AddFirstEntry("-fl=%s", o.useFileList, o.fileList);
}

bool NeedsQuotes(const char* arg) {
  return arg[0] == '\0' || arg[std::strcspn(arg, " \t\"")] != '\0';
}

// Copies the character at p, one byte or a double-byte pair, so that a trail byte equal to '\\' is
// never taken for a backslash.
void CopyCharacter(char*& out, const char*& p) {
  if (is_dbcs_pair(p)) *out++ = *p++;
  *out++ = *p++;
}

void PutBackslashes(char*& out, std::size_t n) {
  std::memset(out, '\\', n);
  out += n;
}

}  // namespace

int BuildArguments(const char* url, const char* localPath, int protocol, bool useTarngetConfig, bool useOptions,
                   const TaskOptions& options, chain<char>& args) {
  ArgumentList a(args);
  a.Add(kCopierProgram);
  a.Add(url);
  a.Add(localPath);
  if (!useTarngetConfig) a.Add("-cfg~");
  if (useOptions) {
    AddCommonOptions(a, options);
    switch (protocol) {
      case 0: AddFtpOptions(a, options); break;
      case 1: AddHttpOptions(a, options); break;
      case 2: AddNntpOptions(a, options); break;
      default: break;
    }
  }
  return a.failed() ? -1 : 0;
}

char* QuoteArgument(const char* arg) {
  const std::size_t len = std::strlen(arg);
  if (!NeedsQuotes(arg)) {
    char* piece = new (std::nothrow) char[len + 2];
    if (!piece) return nullptr;
    std::memcpy(piece, arg, len);
    piece[len] = ' ';
    piece[len + 1] = '\0';
    return piece;
  }
  // Backslashes are counted and escapes placed by characters: the copier's runtime reads a
  // double-byte character whole, so its trail byte neither escapes a quote nor needs escaping.
  // Worst case every byte doubles (all backslashes before the closing quote, or all quotes), plus
  // the two quotes, the blank and the terminator.
  if (len > (static_cast<std::size_t>(-1) - 4) / 2) return nullptr;
  char* piece = new (std::nothrow) char[2 * len + 4];
  if (!piece) return nullptr;
  char* out = piece;
  *out++ = '"';
  for (const char* p = arg;;) {
    std::size_t backslashes = 0;
    while (*p == '\\') {
      ++backslashes;
      ++p;
    }
    if (*p == '\0') {
      // Doubled, so that the closing quote still closes.
      PutBackslashes(out, 2 * backslashes);
      break;
    }
    if (*p == '"') {
      PutBackslashes(out, 2 * backslashes + 1);
    } else {
      PutBackslashes(out, backslashes);
    }
    CopyCharacter(out, p);
  }
  *out++ = '"';
  *out++ = ' ';
  *out = '\0';
  return piece;
}

char* JoinArguments(chain<char>& args) {
  chain<char> pieces;
  char* line = nullptr;
  bool failed = false;
  for (chnode<char>* node = args.head; node && !failed; node = node->next) {
    if (!append_text(pieces, std::unique_ptr<char[]>(QuoteArgument(trim(node->item))))) failed = true;
  }
  if (!failed) line = join_strings(pieces);
  pieces.clear_delete();
  return line;
}

char* ComposeCommandLine(const char* url, const char* localPath, int protocol, bool useTarngetConfig,
                         bool useOptions, const TaskOptions& options) {
  chain<char> args;
  char* line = nullptr;
  if (BuildArguments(url, localPath, protocol, useTarngetConfig, useOptions, options, args) == 0)
    line = JoinArguments(args);
  args.clear_delete();
  return line;
}

int SplitCommandLine(const char* line, chain<char>& args) {
  // No argument is longer than the line, so one scratch buffer of its size holds any of them.
  const std::unique_ptr<char[]> arg(new (std::nothrow) char[std::strlen(line) + 1]);
  if (!arg) return -1;
  int result = 0;
  const char* p = line;
  for (bool program = true;; program = false) {
    if (!program) {
      while (*p == ' ' || *p == '\t') ++p;
      if (*p == '\0') break;
    }
    char* out = arg.get();
    bool quoted = false;
    while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
      if (*p == '"') {
        if (!program && quoted && p[1] == '"') {
          *out++ = '"';
          ++p;
        } else {
          quoted = !quoted;
        }
        ++p;
      } else if (*p == '\\' && !program) {
        std::size_t backslashes = 0;
        for (; *p == '\\'; ++p) ++backslashes;
        const bool beforeQuote = *p == '"';
        const std::size_t kept = beforeQuote ? backslashes / 2 : backslashes;
        std::memset(out, '\\', kept);
        out += kept;
        // An odd count escapes the quote; after an even one it is left to toggle on the next round.
        if (beforeQuote && backslashes % 2 == 1) *out++ = *p++;
      } else {
        CopyCharacter(out, p);
      }
    }
    if (!append_text(args, std::unique_ptr<char[]>(dup_n(arg.get(), static_cast<std::size_t>(out - arg.get()))))) {
      result = -1;
      break;
    }
  }
  return result;
}
