// History lists: the registry format "<name> <n>", the transfer between the
// registry, a chain<cstring1> and a combo box, and the most-recent-first rule.
#include "history.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "str_util.h"

namespace {

// The value name of entry `index` of list `name`: "%s %d". Null when memory runs out.
std::unique_ptr<char[]> value_name(const char* name, int index) {
  return std::unique_ptr<char[]>(format_alloc("%s %d", name ? name : "", index));
}

enum class ReadResult { Ok, Missing, Failed };

// Reads one value of any type at its full stored length (size first, then the data)
// and returns its text: the bytes up to the first null or the returned length,
// whichever comes first, in a new cstring1. A value that grows between the size query
// and the read is queried again.
ReadResult read_entry(HKEY key, const char* valueName, cstring1*& entry) {
  entry = nullptr;
  DWORD size = 0;
  LONG rc = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &size);
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (rc == ERROR_FILE_NOT_FOUND) return ReadResult::Missing;
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return ReadResult::Failed;
    // One spare byte, so that even a size of 0 gets a real buffer.
    if (static_cast<std::uintmax_t>(size) + 1 > SIZE_MAX) return ReadResult::Failed;
    const std::size_t capacity = static_cast<std::size_t>(size) + 1;
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[capacity]);
    if (!data) return ReadResult::Failed;
    DWORD got = size;
    rc = RegQueryValueExA(key, valueName, nullptr, nullptr, data.get(), &got);
    if (rc == ERROR_SUCCESS) {
      // `got` is what was written; never trust it beyond the buffer.
      const std::size_t length = got < size ? got : size;
      const void* nul = std::memchr(data.get(), '\0', length);
      const std::size_t textLength =
          nul ? static_cast<std::size_t>(static_cast<const BYTE*>(nul) - data.get()) : length;
      entry = cstring1_new_n(reinterpret_cast<const char*>(data.get()), textLength);
      return entry ? ReadResult::Ok : ReadResult::Failed;
    }
    // ERROR_MORE_DATA: the value grew since the size query; `got` holds the new size.
    if (rc == ERROR_MORE_DATA) {
      if (got <= size) return ReadResult::Failed;
      size = got;
    }
  }
  return ReadResult::Failed;
}

}  // namespace

int load_history(HKEY key, const char* name, chain<cstring1>& list, int limit) {
  for (int i = 0; i < limit; ++i) {
    const std::unique_ptr<char[]> valueName = value_name(name, i);
    if (!valueName) return -1;
    cstring1* entry = nullptr;
    const ReadResult result = read_entry(key, valueName.get(), entry);
    if (result == ReadResult::Missing) return 0;
    if (result == ReadResult::Failed) return -1;
    if (!list.append(entry)) {
      cstring1_free(entry);
      return -1;
    }
  }
  return 0;
}

int save_history(HKEY key, const char* name, chain<cstring1>& list, int limit) {
  cstring1* entry = list.first();
  for (int i = 0; i < limit; ++i) {
    const std::unique_ptr<char[]> valueName = value_name(name, i);
    if (!valueName) return -1;
    if (entry) {
      const char* text = cstring1_text(entry);
      const std::size_t length = std::strlen(text);
      LONG rc = ERROR_INVALID_DATA;
      if (length <= MAXDWORD)
        rc = RegSetValueExA(key, valueName.get(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(length));
      if (rc != ERROR_SUCCESS) return -1;
      entry = list.next();
    } else {
      const LONG rc = RegDeleteValueA(key, valueName.get());
      if (rc == ERROR_FILE_NOT_FOUND) break;
    }
  }
  return 0;
}

void fill_combo(const TComboBox& combo, chain<cstring1>& list, bool setText) {
  if (setText && list.head) combo.SetText(cstring1_text(list.head->item));
  // Walks the nodes directly: the chain, its cursor included, stays as it was.
  for (chnode<cstring1>* node = list.head; node; node = node->next) combo.AddString(cstring1_text(node->item));
  combo.SetEditSel(0, 0);
}

void fill_combo_take(const TComboBox& combo, chain<cstring1>& list, bool setText) {
  if (setText && list.head) combo.SetText(cstring1_text(list.head->item));
  while (cstring1* entry = list.pop_first()) {
    combo.AddString(cstring1_text(entry));
    cstring1_free(entry);
  }
  combo.SetEditSel(0, 0);
}

void read_combo(const TComboBox& combo, chain<cstring1>& list) {
  list.clear_delete();
  const int count = combo.GetCount();
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<char[]> text = combo.DupItemText(i);
    if (text && list.append(cstring1_adopt(text.get()))) text.release();
  }
}

int find_combo_text(const TComboBox& combo, const char* text, bool matchCase) {
  if (!text) return -1;
  for (int i = 0;; ++i) {
    const std::unique_ptr<char[]> item = combo.DupItemText(i);
    if (!item) return -1;
    if ((matchCase ? lstrcmpA(item.get(), text) : lstrcmpiA(item.get(), text)) == 0) return i;
  }
}

void commit_combo_text(const TComboBox& combo, CommitMode mode, bool matchCase) {
  const std::unique_ptr<char[]> whole = combo.DupText();
  // An empty edit text is never committed; nor is one of white space only, which
  // would otherwise enter the list as an empty entry.
  const char* text = trim(whole.get());
  if (text[0] == '\0') return;
  const int n = find_combo_text(combo, text, matchCase);
  if (mode == CommitMode::kAdd) {
    if (n < 0) {
      combo.InsertString(text, 0);
    } else if (n > 0) {
      combo.DeleteString(n);
      combo.InsertString(text, 0);
      combo.SetText(text);
    }
  } else {
    bool shown = false;
    if (n >= 0) {
      combo.DeleteString(n);
      for (int k = n; k >= 0 && !shown; --k) {
        if (const std::unique_ptr<char[]> neighbour = combo.DupItemText(k)) {
          combo.SetText(neighbour.get());
          shown = true;
        }
      }
    }
    if (!shown) combo.SetText("");
  }
}

cstring1* push_recent(chain<cstring1>& list, const char* text) {
  if (!text) return nullptr;
  cstring1* entry = list.remove(cstring1_key(text));
  if (!entry) entry = cstring1_new(text);
  if (!entry) return nullptr;
  if (!list.prepend(entry)) {
    cstring1_free(entry);
    return nullptr;
  }
  return entry;
}
