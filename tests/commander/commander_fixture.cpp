#include "commander_fixture.h"


void CommanderTest::SetUp() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brennock\\Tarnwell Commander");
}

void SetList(chain<cstring1>& list, std::initializer_list<const char*> entries) {
  list.clear_delete();
  for (const char* e : entries) list.append(cstring1_new(e));
}

std::vector<std::string> ListOf(chain<cstring1>& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.count; ++i) out.push_back(cstring1_text(list.nth(i)));
  return out;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> out;
  int n = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    int len = static_cast<int>(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0));
    std::string s(static_cast<size_t>(len) + 1, '\0');
    ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(static_cast<size_t>(len));
    out.push_back(s);
  }
  return out;
}

int WindowHeight(HWND hwnd) {
  RECT r = ScreenRect(hwnd);
  return r.bottom - r.top;
}

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}
