#include "config_model.h"
#include <climits>
#include <initializer_list>
#include <cstdio>
#include <cstring>
#include <memory>
#include "decimal.h"
#include "history.h"
#include "prompts.h"
#include "str_util.h"


namespace {

const char* const kOverwriteTexts[] = {"Default", "Timestamp", "Yes", "No", nullptr};
const std::int32_t kOverwriteCodes[] = {0, 1, -1};
const char* const kCreateDirTexts[] = {"Default", "Below", "Full", "No", nullptr};
const std::int32_t kCreateDirCodes[] = {1, 2, 0};
// The copier also knows 2 for "Recursive mode"; the editor offers no text for it.
const char* const kRecursiveTexts[] = {"Default", "Below", "All links", "No", nullptr};
const std::int32_t kRecursiveCodes[] = {1, 3, 0};
const std::int32_t kRecursiveAllLinks = 3;
const char* const kYesNoTexts[] = {"Default", "Yes", "No", nullptr};
const std::int32_t kYesNoCodes[] = {1, 0};

}  // namespace

const CodedChoice kOverwriteChoice = {kOverwriteTexts, kOverwriteCodes};
const CodedChoice kCreateDirChoice = {kCreateDirTexts, kCreateDirCodes};
const CodedChoice kRecursiveChoice = {kRecursiveTexts, kRecursiveCodes};
const CodedChoice kYesNoChoice = {kYesNoTexts, kYesNoCodes};
const char* const kYesOnlyTexts[] = {"Default", "Yes", nullptr};

int CodedChoice::Count() const {
  int n = 0;
  while (texts[n]) ++n;
  return n;
}

int CodedChoice::PositionOf(std::int32_t code) const {
  for (int i = 1; i < Count(); ++i)
    if (codes[i - 1] == code) return i;
  return -1;
}

ConfigModel::~ConfigModel() {
  for (ConfigString* s : {&logPath, &workDirectory, &dirListName, &defaultHtml, &msgidDirectory, &fileList, &ftpProxy,
                          &httpProxy}) {
    s->history.clear_delete();
  }
}

namespace {

struct ChoiceField {
  std::int32_t ConfigModel::*position;
  CopierNumber number;
  const CodedChoice* coding;
};

const ChoiceField kChoiceFields[] = {
    {&ConfigModel::overwriteMode, kOverwriteMode, &kOverwriteChoice},
    {&ConfigModel::createDirectory, kCreateDirectory, &kCreateDirChoice},
    {&ConfigModel::recursiveMode, kRecursiveMode, &kRecursiveChoice},
    {&ConfigModel::transferGauge, kTransferGauge, &kYesNoChoice},
    {&ConfigModel::clientServerTalk, kClientServerTalk, &kYesNoChoice},
    {&ConfigModel::eraseSource, kEraseSource, &kYesNoChoice},
    {&ConfigModel::pasvMode, kPasvMode, &kYesNoChoice},
    {&ConfigModel::includeNonHtml, kIncludeNonHtml, &kYesNoChoice},
    {&ConfigModel::relocateImage, kRelocateImage, &kYesNoChoice},
    {&ConfigModel::decodePosts, kDecodePosts, &kYesNoChoice},
};

struct TextField {
  char (ConfigModel::*text)[kNumberTextSize];
  CopierNumber number;
};

const TextField kTextFields[] = {
    {&ConfigModel::retryCount, kRetryCount},
    {&ConfigModel::minimumRows, kMinimumRows},
};

// A proxy keeps its port in a number value of its own; the others have none (port -1).
struct StringField {
  ConfigString ConfigModel::*setting;
  CopierString value;
  int port;
};

const StringField kStringFields[] = {
    {&ConfigModel::logPath, kLogFilePath, -1},
    {&ConfigModel::workDirectory, kWorkDirectory, -1},
    {&ConfigModel::dirListName, kDirListName, -1},
    {&ConfigModel::defaultHtml, kDefaultHtmlName, -1},
    {&ConfigModel::msgidDirectory, kMsgidDirectory, -1},
    {&ConfigModel::fileList, kFileListName, -1},
    {&ConfigModel::ftpProxy, kFtpProxyServer, kFtpProxyPort},
    {&ConfigModel::httpProxy, kHttpProxyServer, kHttpProxyPort},
};

void LoadChoices(ConfigModel& model, const std::int32_t* numbers) {
  for (const ChoiceField& f : kChoiceFields) {
    std::int32_t code = numbers[f.number];
    int position = code == kAbsentNumber ? 0 : f.coding->PositionOf(code);
    if (position < 0) {
      model.kept.numbers[f.number] = 1;
      position = 0;
    }
    model.*f.position = position;
  }
  std::int32_t derived = numbers[kRecursiveMode] == kRecursiveAllLinks ? 1 : 0;
  model.includeUnixLinks = derived;
  model.includeSameSite = derived;
}

void LoadTexts(ConfigModel& model, const std::int32_t* numbers) {
  for (const TextField& f : kTextFields) {
    char* text = model.*f.text;
    text[0] = '\0';
    std::int32_t value = numbers[f.number];
    if (value == kAbsentNumber) continue;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(value));
    if (std::strlen(digits) >= kNumberTextSize) {
      model.kept.numbers[f.number] = 1;  // shown empty rather than cut to another number
      continue;
    }
    copy_n(text, digits, kNumberTextSize - 1);
  }
}

void LoadStrings(ConfigModel& model, char* const* strings, const std::int32_t* numbers) {
  for (const StringField& f : kStringFields) {
    ConfigString& setting = model.*f.setting;
    bool portKept = f.port >= 0 && model.kept.numbers[f.port];
    // A server that holds a colon itself would be split there when stored back, and
    // change server and port both: such a server is kept like any unreadable value.
    if (f.port >= 0 && strings[f.value] && *find_char(strings[f.value], ':')) model.kept.strings[f.value] = 1;
    if (model.kept.strings[f.value] || portKept) {
      // A server and its port go together: neither is shown, both are kept.
      model.kept.strings[f.value] = 1;
      if (f.port >= 0 && numbers[f.port] != kAbsentNumber) model.kept.numbers[f.port] = 1;
      setting.enabled = 0;
      continue;
    }
    const char* value = strings[f.value];
    if (!value) {
      setting.enabled = 0;
      continue;
    }
    setting.enabled = 1;
    std::int32_t port = f.port >= 0 ? numbers[f.port] : kAbsentNumber;
    if (port != kAbsentNumber && port != 0) {
      std::unique_ptr<char[]> entry(format_alloc("%s:%ld", value, static_cast<long>(port)));
      if (entry) push_recent(setting.history, entry.get());
    } else {
      push_recent(setting.history, value);
    }
  }
}

// The port of a proxy entry, held to what loads back: the largest number stands for an
// absent port, so a larger port is held just below it.
std::int32_t ProxyPort(const char* text) {
  const std::int32_t port = read_decimal(text);
  return port == kAbsentNumber ? kAbsentNumber - 1 : port;
}

// A value that already holds what would be written is left alone, so values the user did not
// change keep their bytes and type (a REG_EXPAND_SZ path, a number stored as REG_BINARY, a
// string without its terminator).
void LeaveWhatIsStoredAlready(HKEY root, char* const* strings, signed char* stringStates, const std::int32_t* numbers,
                              signed char* numberStates) {
  char* stored[kCopierStringCount];
  std::int32_t storedNumbers[kCopierNumberCount];
  ReadCopierConfig(root, stored, storedNumbers);
  for (int i = 0; i < kCopierStringCount; ++i) {
    if (stringStates[i] == kSet && strings[i] && stored[i] && std::strcmp(strings[i], stored[i]) == 0)
      stringStates[i] = kLeave;
  }
  for (int i = 0; i < kCopierNumberCount; ++i) {
    if (numberStates[i] == kSet && storedNumbers[i] != kAbsentNumber && numbers[i] == storedNumbers[i])
      numberStates[i] = kLeave;
  }
  FreeCopierStrings(stored);
}

void ShowWriteError(HKEY root) {
  std::unique_ptr<char[]> text(format_alloc("write %s registry key \"%s\" error", RootName(root), kCopierConfigKey));
  ShowError(nullptr, text ? text.get() : "");
}

}  // namespace

void LoadConfigModel(HKEY root, ConfigModel& model) {
  model.modified = 0;
  char* strings[kCopierStringCount];
  std::int32_t numbers[kCopierNumberCount];
  ReadCopierConfig(root, strings, numbers, &model.kept);
  LoadChoices(model, numbers);
  LoadTexts(model, numbers);
  LoadStrings(model, strings, numbers);
  FreeCopierStrings(strings);
}

void StoreConfigModel(HKEY root, ConfigModel& model) {
  if (!model.modified) return;
  model.modified = 0;
  model.storedSinceStart = 1;

  char* strings[kCopierStringCount] = {};
  signed char stringStates[kCopierStringCount];
  std::int32_t numbers[kCopierNumberCount] = {};
  signed char numberStates[kCopierNumberCount];
  for (signed char& s : stringStates) s = kSet;
  for (signed char& s : numberStates) s = kSet;

  for (const ChoiceField& f : kChoiceFields) {
    int position = model.*f.position;
    if (position > 0 && position < f.coding->Count()) {
      numbers[f.number] = f.coding->codes[position - 1];
    } else {
      numberStates[f.number] = model.kept.numbers[f.number] && position == 0 ? kLeave : kDelete;
    }
  }

  for (const TextField& f : kTextFields) {
    const char* text = model.*f.text;
    if (text[0]) numbers[f.number] = read_decimal(text);
    else numberStates[f.number] = model.kept.numbers[f.number] ? kLeave : kDelete;
  }

  // Proxy servers are split from their "host:port" entries in copies: the history keeps
  // the entry as the user typed it.
  std::unique_ptr<char[]> servers[2];
  int proxies = 0;
  for (const StringField& f : kStringFields) {
    ConfigString& setting = model.*f.setting;
    cstring1* head = setting.history.nth(0);
    if (setting.enabled && head) {
      if (f.port < 0) {
        strings[f.value] = cstring1_text(head);
        continue;
      }
      const char* entry = cstring1_text(head);
      std::unique_ptr<char[]>& server = servers[proxies++];
      server.reset(dup_n(entry, std::strlen(entry)));
      if (!server) {  // out of memory: this proxy stays as stored
        stringStates[f.value] = kLeave;
        numberStates[f.port] = kLeave;
        continue;
      }
      char* colon = find_char(server.get(), ':');
      // No port given is port 0, so that a port stored under the other root can never
      // pair with this server.
      numbers[f.port] = *colon ? ProxyPort(colon + 1) : 0;
      *colon = '\0';
      if (server[0] != '\0') {
        strings[f.value] = server.get();
        continue;
      }
      // ":8080" names no server: nothing the copier could use, and nothing that would
      // load back, so it is stored as no entry.
    }
    signed char state = !setting.enabled && model.kept.strings[f.value] ? kLeave : kDelete;
    stringStates[f.value] = state;
    if (f.port >= 0) numberStates[f.port] = state;
  }

  stringStates[kNntpProxyServer] = kLeave;
  numberStates[kNntpProxyPort] = kLeave;
  LeaveWhatIsStoredAlready(root, strings, stringStates, numbers, numberStates);

  if (WriteCopierConfig(root, strings, stringStates, numbers, numberStates) != 0) ShowWriteError(root);
}
