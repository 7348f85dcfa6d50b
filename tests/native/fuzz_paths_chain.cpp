// Two properties in one target, chosen by the first byte:
// - path utilities on any bytes (Big5 pairs with a 0x5C trail byte included) against a
//   simple reference of what each must do;
// - random sequences of list operations against a reference model (a vector and a
//   cursor pointer), with the links checked after every step.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "chain.h"
#include "str_util.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsSep(char c) { return c == '\\' || c == '/'; }

// Positions after the root that are the second byte of a double-byte pair.
std::vector<bool> TrailBytes(const std::string& s, std::size_t from) {
  std::vector<bool> trail(s.size(), false);
  for (std::size_t i = from; i < s.size(); ++i) {
    if (is_dbcs_pair(s.c_str() + i)) {
      trail[i + 1] = true;
      ++i;
    }
  }
  return trail;
}

void FuzzPaths(const std::uint8_t* data, std::size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), size);
  const std::string text = original.substr(0, std::strlen(original.c_str()));  // up to a NUL
  const std::size_t root = path_root_end(text.c_str()) - text.c_str();
  Check(root <= text.size());
  const std::vector<bool> trail = TrailBytes(text, root);

  std::unique_ptr<char[]> buf(new char[text.size() + 1]);
  std::memcpy(buf.get(), text.c_str(), text.size() + 1);
  to_forward_slashes(buf.get());
  Check(std::strlen(buf.get()) == text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool converts = i >= root && text[i] == '\\' && !trail[i];
    Check(buf[i] == (converts ? '/' : text[i]));
  }

  std::memcpy(buf.get(), text.c_str(), text.size() + 1);
  strip_last_component(buf.get());
  // The path ends at its last separator at or after the root (pairs stepped over), or at the root.
  std::size_t expectedCut = root;
  for (std::size_t i = root; i < text.size(); ++i)
    if (IsSep(text[i]) && !trail[i]) expectedCut = i;
  Check(std::strlen(buf.get()) == expectedCut);
  Check(text.compare(0, expectedCut, buf.get()) == 0);

  std::memcpy(buf.get(), text.c_str(), text.size() + 1);
  trim(buf.get());
  const std::string trimmed = buf.get();
  const char* ws = " \t\r\n";
  if (!trimmed.empty()) {
    Check(!std::strchr(ws, trimmed.front()) && !std::strchr(ws, trimmed.back()));
    Check(text.find(trimmed) != std::string::npos);
  } else {
    Check(text.find_first_not_of(ws) == std::string::npos);
  }
}

struct Model {
  std::vector<char*> items;
  int direction = 0;
  char* cursor = nullptr;

  int IndexOf(const char* p) const {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i] == p) return static_cast<int>(i);
    return -1;
  }
  void Unlink(int i) {
    char* p = items[i];
    if (p == cursor) {
      int j = direction < 0 ? i + 1 : i - 1;
      cursor = j >= 0 && j < static_cast<int>(items.size()) ? items[j] : nullptr;
    }
    items.erase(items.begin() + i);
    if (items.empty()) {
      direction = 0;
      cursor = nullptr;
    }
  }
};

void CheckLinks(const chain<char>& c, const Model& m) {
  Check(c.count == static_cast<std::int32_t>(m.items.size()));
  Check(c.direction == m.direction);
  if (m.direction != 0) Check((c.cursor ? c.cursor->item : nullptr) == m.cursor);
  std::size_t i = 0;
  const chnode<char>* prev = nullptr;
  for (const chnode<char>* n = c.count ? c.head : nullptr; n; prev = n, n = n->next, ++i) {
    Check(i < m.items.size() && n->item == m.items[i]);
    Check(n->prev == prev);
  }
  Check(i == m.items.size());
  if (c.count) Check(c.tail == prev);
}

void FuzzChain(const std::uint8_t* data, std::size_t size) {
  chain<char> c;
  Model m;
  int made = 0;
  // Texts from a small alphabet, so that equal texts (find/remove by equality) occur.
  auto make = [&](std::uint8_t b) {
    std::string t(1, static_cast<char>('a' + b % 4));
    t += std::to_string(++made % 3);
    char* s = new char[t.size() + 1];
    std::memcpy(s, t.c_str(), t.size() + 1);
    return s;
  };
  for (std::size_t k = 0; k + 1 < size; k += 2) {
    const std::uint8_t op = data[k] % 14, arg = data[k + 1];
    switch (op) {
      case 0: { char* s = make(arg); Check(c.append(s) == s); m.items.push_back(s); break; }
      case 1: { char* s = make(arg); Check(c.prepend(s) == s); m.items.insert(m.items.begin(), s); break; }
      case 2: case 3: {
        char key[8];
        std::snprintf(key, sizeof key, "%c%d", 'a' + arg % 4, (arg / 4) % 3);
        int at = -1;
        for (std::size_t i = 0; i < m.items.size(); ++i)
          if (std::strcmp(m.items[i], key) == 0) { at = static_cast<int>(i); break; }
        if (op == 2) {
          Check(c.find(key) == (at >= 0 ? m.items[at] : nullptr));
        } else {
          char* got = c.remove(key);
          Check(got == (at >= 0 ? m.items[at] : nullptr));
          if (at >= 0) { m.Unlink(at); delete[] got; }
        }
        break;
      }
      case 4: {
        Check(c.first() == (m.items.empty() ? nullptr : m.items.front()));
        if (!m.items.empty()) { m.direction = 1; m.cursor = m.items.front(); }
        break;
      }
      case 5: {
        Check(c.last() == (m.items.empty() ? nullptr : m.items.back()));
        if (!m.items.empty()) { m.direction = -1; m.cursor = m.items.back(); }
        break;
      }
      case 6: case 7: {
        char* expected;
        if (m.direction == 0) {
          expected = m.items.empty() ? nullptr : m.items.front();
          if (expected) { m.direction = 1; m.cursor = expected; }
        } else {
          int i = m.cursor ? m.IndexOf(m.cursor) + m.direction
                           : (m.direction > 0 ? 0 : static_cast<int>(m.items.size()) - 1);
          expected = i >= 0 && i < static_cast<int>(m.items.size()) ? m.items[i] : nullptr;
          if (expected) m.cursor = expected;
        }
        Check(c.next() == expected);
        break;
      }
      case 8: {
        // The message window's step: set a direction on a non-empty chain, seek, next.
        if (m.items.empty()) break;
        m.direction = c.direction = (arg & 1) ? 1 : -1;
        char* target = m.items[arg % m.items.size()];
        Check(c.seek(target) == target);
        m.cursor = target;
        break;
      }
      case 9: {
        char* expected = nullptr;
        if (!m.items.empty() && m.direction != 0) {
          m.cursor = m.direction > 0 ? m.items.front() : m.items.back();
          expected = m.cursor;
        }
        Check(c.seek(nullptr) == expected);
        break;
      }
      case 10: {
        int pos = arg % 8 - 1;
        Check(c.nth(pos) == (pos >= 0 && pos < static_cast<int>(m.items.size()) ? m.items[pos] : nullptr));
        break;
      }
      case 11: {
        char* got = c.pop_first();
        Check(got == (m.items.empty() ? nullptr : m.items.front()));
        if (got) { m.Unlink(0); delete[] got; }
        break;
      }
      case 12: {
        char** a = c.to_array();
        Check((a == nullptr) == m.items.empty());
        for (std::size_t i = 0; a && i < m.items.size(); ++i) Check(a[i] == m.items[i]);
        delete[] a;
        break;
      }
      case 13:
        if (arg % 8 == 0) { c.clear_delete(); m.items.clear(); m.direction = 0; m.cursor = nullptr; }
        break;
    }
    CheckLinks(c, m);
  }
  c.clear_delete();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) FuzzPaths(data + 1, size - 1);
  else FuzzChain(data + 1, size - 1);
  return 0;
}
