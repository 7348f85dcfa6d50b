#include "commander_fixture.h"

#include <memory>
#include "controls.h"

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
  TComboBox box(nullptr, 0);
  box.Attach(combo);
  int n = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::unique_ptr<char[]> text(box.DupItemText(i));
    out.push_back(text ? text.get() : "");
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
