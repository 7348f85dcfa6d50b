// The copier's configuration key, as the copier reads it: the value names, their order and
// types, and the moves of a whole value set between one root and memory.
#pragma once
#include <windows.h>
#include <cstdint>
#include "not_set.h"

// Under HKEY_CURRENT_USER ("Personal") and HKEY_LOCAL_MACHINE ("Global"), the latter in the
// registry's 32-bit view (registry_view.h).
extern const char kCopierConfigKey[];

// The name every message gives a root.
const char* RootName(HKEY root);

const int kCopierStringCount = 9;
const int kCopierNumberCount = 15;

// Positions in the tables below: the order is part of the format.
enum CopierString {
  kFtpProxyServer, kHttpProxyServer, kNntpProxyServer, kLogFilePath, kWorkDirectory,
  kDirListName, kDefaultHtmlName, kMsgidDirectory, kFileListName,
};
enum CopierNumber {
  kFtpProxyPort, kHttpProxyPort, kNntpProxyPort, kCreateDirectory, kOverwriteMode,
  kRetryCount, kRecursiveMode, kClientServerTalk, kTransferGauge, kEraseSource,
  kPasvMode, kIncludeNonHtml, kRelocateImage, kDecodePosts, kMinimumRows,
};

// Strings are written as REG_SZ and read from REG_SZ or REG_EXPAND_SZ (unexpanded); numbers
// are written as REG_DWORD and read from any value of exactly four bytes.
extern const char* const kCopierStringNames[kCopierStringCount];
extern const char* const kCopierNumberNames[kCopierNumberCount];

// An absent number in a value set: the marker of every stored number without a value.
const std::int32_t kAbsentNumber = kNotSet;
// Longest string a value set holds; a longer stored string reads as absent.
const int kCopierStringMax = 259;

// What WriteCopierConfig does with each slot.
enum WriteState : signed char { kLeave = 0, kSet = 1, kDelete = -1 };

// Values that are there but that a value set cannot hold as they are: a string of another
// type, empty or longer than kCopierStringMax; a number of other than 4 bytes or equal to
// the absent mark. They read as absent; callers keep them unless told otherwise.
struct UnreadableValues {
  unsigned char strings[kCopierStringCount];
  unsigned char numbers[kCopierNumberCount];
};

// Fills the set from the root's key: strings as new[] copies (null when absent), numbers
// (kAbsentNumber when absent). 0 when at least one value was read, -1 otherwise.
int ReadCopierConfig(HKEY root, char* strings[kCopierStringCount], std::int32_t numbers[kCopierNumberCount],
                     UnreadableValues* unreadable = nullptr);
// Frees what ReadCopierConfig returned and nulls the slots.
void FreeCopierStrings(char* strings[kCopierStringCount]);

// Sets, deletes or leaves each value by its state. A key created here only to delete in
// is removed again. 0, or -1 when the key or any value could not be written.
int WriteCopierConfig(HKEY root, char* const strings[kCopierStringCount],
                      const signed char stringStates[kCopierStringCount],
                      const std::int32_t numbers[kCopierNumberCount],
                      const signed char numberStates[kCopierNumberCount]);

// Copies every value and subkey of the source into the destination, recursively, keeping
// what only the destination holds. 0, or -1 on the first failure.
int CopyRegistryKey(HKEY sourceRoot, const char* sourcePath, HKEY destRoot, const char* destPath);
