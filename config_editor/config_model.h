// ConfigModel: the editor's one editing record of the copier's configuration, which the
// property pages show and change, and its translation from and to the stored values.
#pragma once
#include <windows.h>
#include <cstdint>
#include "chain.h"
#include "copier_config.h"
#include "cstring1.h"

// A number shown as text holds at most 9 characters.
const int kNumberTextSize = 10;

// A string setting: whether it is set, and its history, whose head is the current value.
struct ConfigString {
  unsigned char enabled = 0;
  chain<cstring1> history;
};

struct ConfigModel {
  // Choices: positions in their texts, 0 "Default" (value absent).
  std::int32_t overwriteMode = 0;
  std::int32_t createDirectory = 0;
  std::int32_t recursiveMode = 0;
  std::int32_t transferGauge = 0;
  std::int32_t clientServerTalk = 0;
  std::int32_t eraseSource = 0;
  std::int32_t pasvMode = 0;
  std::int32_t includeNonHtml = 0;
  std::int32_t relocateImage = 0;
  std::int32_t decodePosts = 0;
  // Shown only, never stored: both follow "Recursive mode" as loaded.
  std::int32_t includeUnixLinks = 0;
  std::int32_t includeSameSite = 0;

  char retryCount[kNumberTextSize] = {};
  char minimumRows[kNumberTextSize] = {};

  ConfigString logPath;
  ConfigString workDirectory;
  ConfigString dirListName;
  ConfigString defaultHtml;
  ConfigString msgidDirectory;
  ConfigString fileList;
  ConfigString ftpProxy;
  ConfigString httpProxy;

  unsigned char modified = 0;          // a page applied since the last load or store
  unsigned char storedSinceStart = 0;  // some store found the model modified; never cleared

  // Stored values that the model could not show (see UnreadableValues, plus codes that no
  // choice lists and numbers longer than their text): shown as absent and left as they
  // are by the store as long as the user leaves their field absent.
  UnreadableValues kept = {};

  ConfigModel() = default;
  ConfigModel(const ConfigModel&) = delete;
  ConfigModel& operator=(const ConfigModel&) = delete;
  ~ConfigModel();
};

// A choice: its texts ("Default" first) and the code stored for each other text.
struct CodedChoice {
  const char* const* texts;    // null-terminated
  const std::int32_t* codes;   // codes[i] is stored for texts[i + 1]
  int Count() const;           // number of texts
  // The position whose code this is, or -1 when no text has it.
  int PositionOf(std::int32_t code) const;
};

extern const CodedChoice kOverwriteChoice;   // Default, Timestamp, Yes, No
extern const CodedChoice kCreateDirChoice;   // Default, Below, Full, No
extern const CodedChoice kRecursiveChoice;   // Default, Below, All links, No
extern const CodedChoice kYesNoChoice;       // Default, Yes, No
extern const char* const kYesOnlyTexts[];    // Default, Yes: the two derived choices

// Fills the model from the root's key (a missing key reads as all absent); stored strings
// move to the head of their histories. Clears the modified flag.
void LoadConfigModel(HKEY root, ConfigModel& model);
// When the model is modified, writes it to the root's key and reports a failed write.
void StoreConfigModel(HKEY root, ConfigModel& model);

