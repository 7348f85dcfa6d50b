// History lists: recently used values, most recent first, moved between the registry
// (string values "<name> <n>", n from 0), a chain<cstring1> and an editable combo box.
#pragma once
#include <windows.h>
#include "chain.h"
#include "controls.h"
#include "cstring1.h"

// Every list of both programs keeps at most this many entries in the registry.
const int kHistoryLimit = 10;

enum class CommitMode { kAdd, kRemove };

// Appends the stored entries 0.. to `list` until the first missing number or `limit`.
// 0, or -1 when a value could not be read (the entries before it stay).
int load_history(HKEY key, const char* name, chain<cstring1>& list, int limit);
// Writes the first `limit` entries as numbers 0.. and deletes stale higher numbers up to
// the first gap. 0, or -1 when a value could not be written.
int save_history(HKEY key, const char* name, chain<cstring1>& list, int limit);

// Adds every entry to the combo's list, head first; with `setText` the edit shows the head.
void fill_combo(const TComboBox& combo, chain<cstring1>& list, bool setText);
// The same, but moves the entries into the combo: the list ends empty.
void fill_combo_take(const TComboBox& combo, chain<cstring1>& list, bool setText);
// Replaces `list` with the combo's items, in the combo's order.
void read_combo(const TComboBox& combo, chain<cstring1>& list);
// Index of the first item equal to `text` (ignoring case unless `matchCase`), or -1.
int find_combo_text(const TComboBox& combo, const char* text, bool matchCase);
// Add: the trimmed edit text becomes item 0. Remove: the item equal to the edit text
// goes, and the edit shows its neighbour. An empty edit text does nothing.
void commit_combo_text(const TComboBox& combo, CommitMode mode, bool matchCase = false);
// Moves `text` (or the entry equal to it, keeping its stored case) to the head.
cstring1* push_recent(chain<cstring1>& list, const char* text);
