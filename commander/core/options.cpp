#include "options.h"
#include "history_names.h"

namespace {
const char* const kCreateDirChoices[] = {"Default", "Below", "Full", "No", nullptr};
const char* const kCreateDirSwitches[] = {nullptr, "-c", "-c*", "-c-"};
const char* const kOverwriteChoices[] = {"Default", "Timestamp", "Yes", "No", nullptr};
const char* const kOverwriteSwitches[] = {nullptr, "-o?", "-o", "-o-"};
const char* const kRecursiveChoices[] = {"Default", "Below", "All links", "No", nullptr};
const char* const kRecursiveSwitches[] = {nullptr, "-r", "-r*", "-r-"};
const char* const kYesNoChoices[] = {"Default", "Yes", "No", nullptr};
const char* const kGaugeSwitches[] = {nullptr, "-g", "-g-"};
const char* const kTalkSwitches[] = {nullptr, "-t", "-t-"};
const char* const kEraseSwitches[] = {nullptr, "-e", "-e-"};
const char* const kPasvSwitches[] = {nullptr, "-pasv", "-pasv-"};
const char* const kNonHtmlSwitches[] = {nullptr, "-hyp", "-hyp-"};
const char* const kRelocateSwitches[] = {nullptr, "-i", "-i-"};
const char* const kDecodeSwitches[] = {nullptr, "-dec", "-dec-"};
}  // namespace

const char* const kYesOnlyChoices[] = {"Default", "Yes", nullptr};

int ChoiceOption::ChoiceCount() const {
  int n = 0;
  while (choices[n]) ++n;
  return n;
}

const char* ChoiceOption::Switch() const {
  return selection > 0 && selection < ChoiceCount() ? switches[selection] : nullptr;
}

TaskOptions::TaskOptions()
    : createDirectory{0, kCreateDirChoices, kCreateDirSwitches},
      overwriteMode{0, kOverwriteChoices, kOverwriteSwitches},
      recursiveMode{0, kRecursiveChoices, kRecursiveSwitches},
      transferGauge{0, kYesNoChoices, kGaugeSwitches},
      clientServerTalk{0, kYesNoChoices, kTalkSwitches},
      retryCount{},
      useFirstFilename(0),
      useLogFile(0),
      useInclusivePatterns(0),
      useExclusivePatterns(0),
      useWorkDirectory(0),
      ftpUpload(0),
      ftpGetDirList(0),
      useDirListName(0),
      eraseSource{0, kYesNoChoices, kEraseSwitches},
      includeUnixLinks(0),
      pasvMode{0, kYesNoChoices, kPasvSwitches},
      ftpProxyState(kProxyOff),
      httpRecovery(0),
      useDefaultHtml(0),
      includeSameSite(0),
      includeNonHtml{0, kYesNoChoices, kNonHtmlSwitches},
      relocateImages{0, kYesNoChoices, kRelocateSwitches},
      httpProxyState(kProxyOff),
      nntpOutdate(0),
      decodePosts{0, kYesNoChoices, kDecodeSwitches},
      minimumRows{},
      useMsgidDirectory(0),
      useFileList(0) {}

TaskOptions::~TaskOptions() {
  for (const OptionListName& l : kOptionLists) (this->*l.list).clear_delete();
}

const OptionListName kOptionLists[11] = {
    {"Tarnget 1st filename", &TaskOptions::firstFilename},
    {kLogPathHistory, &TaskOptions::logFile},
    {kWorkDirectoryHistory, &TaskOptions::workDirectory},
    {"Tarnget inclusive URL patterns", &TaskOptions::inclusivePatterns},
    {"Tarnget exclusive URL patterns", &TaskOptions::exclusivePatterns},
    {kDirListNameHistory, &TaskOptions::dirListName},
    {kFtpProxyHistory, &TaskOptions::ftpProxy},
    {kDefaultHtmlHistory, &TaskOptions::defaultHtml},
    {kHttpProxyHistory, &TaskOptions::httpProxy},
    {kMsgidDirectoryHistory, &TaskOptions::msgidDirectory},
    {kFileListHistory, &TaskOptions::fileList},
};
