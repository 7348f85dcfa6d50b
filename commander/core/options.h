// The task options: one set for the whole run that the options sheet edits and every task
// launch turns into copier switches. Choices start at "Default" (selection 0, no switch),
// flags at 0, texts empty; the history lists are filled from the settings at start.
#pragma once
#include <cstdint>
#include "chain.h"
#include "cstring1.h"

// A fixed-choice option: the selection is the position in its drop-down list.
struct ChoiceOption {
  std::int32_t selection;
  const char* const* choices;   // null-terminated, "Default" first
  const char* const* switches;  // one per choice; entry 0 is null
  // The switch of the current selection, or null for "Default" or a position beyond the choices.
  const char* Switch() const;
  int ChoiceCount() const;
};

// A number passed to the copier as text: at most 9 characters, never parsed.
const int kShortTextSize = 10;

// The states of a three-state proxy box.
enum ProxyState : std::int32_t { kProxyOff = 0, kProxyOn = 1, kProxyDefault = 2 };

struct TaskOptions {
  // Common options.
  ChoiceOption createDirectory;
  ChoiceOption overwriteMode;
  ChoiceOption recursiveMode;
  ChoiceOption transferGauge;
  ChoiceOption clientServerTalk;
  char retryCount[kShortTextSize];
  unsigned char useFirstFilename;
  chain<cstring1> firstFilename;
  unsigned char useLogFile;
  chain<cstring1> logFile;
  unsigned char useInclusivePatterns;
  chain<cstring1> inclusivePatterns;
  unsigned char useExclusivePatterns;
  chain<cstring1> exclusivePatterns;
  unsigned char useWorkDirectory;
  chain<cstring1> workDirectory;

  // FTP options. Download is neither Upload nor Get directory list.
  unsigned char ftpUpload;
  unsigned char ftpGetDirList;
  unsigned char useDirListName;
  chain<cstring1> dirListName;
  ChoiceOption eraseSource;
  std::int32_t includeUnixLinks;  // 0 Default, 1 Yes
  ChoiceOption pasvMode;
  std::int32_t ftpProxyState;     // ProxyState
  chain<cstring1> ftpProxy;

  // HTTP options. Download is not Recovery.
  unsigned char httpRecovery;
  unsigned char useDefaultHtml;
  chain<cstring1> defaultHtml;
  std::int32_t includeSameSite;   // 0 Default, 1 Yes
  ChoiceOption includeNonHtml;
  ChoiceOption relocateImages;
  std::int32_t httpProxyState;    // ProxyState
  chain<cstring1> httpProxy;

  // NNTP options. Download is not Outdate.
  unsigned char nntpOutdate;
  ChoiceOption decodePosts;
  char minimumRows[kShortTextSize];
  unsigned char useMsgidDirectory;
  chain<cstring1> msgidDirectory;
  unsigned char useFileList;
  chain<cstring1> fileList;

  TaskOptions();
  ~TaskOptions();
  TaskOptions(const TaskOptions&) = delete;
  TaskOptions& operator=(const TaskOptions&) = delete;
};

// The choices of a yes-only option ("Include Unix links", "Include any linked in same site").
extern const char* const kYesOnlyChoices[];

// The eleven option lists with the registry names they are kept under, in storing order.
struct OptionListName {
  const char* registryName;
  chain<cstring1> TaskOptions::*list;
};
extern const OptionListName kOptionLists[11];
