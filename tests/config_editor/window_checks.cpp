#include "window_checks.h"
#include <gtest/gtest.h>
#include <memory>
#include "controls.h"
#include "gui_test.h"

// The dialog manager maps a template's position and size each on its own, so the right
// edge is the mapped x plus the mapped width.
void ExpectLayout(HWND dialog, const std::vector<Placed>& controls) {
  for (const Placed& c : controls) {
    RECT want{c.x, c.y, c.w, c.h};
    ::MapDialogRect(dialog, &want);
    want.right += want.left;
    want.bottom += want.top;
    RECT got = ChildRect(dialog, c.id);
    EXPECT_EQ(want.left, got.left) << "control " << c.id;
    EXPECT_EQ(want.top, got.top) << "control " << c.id;
    EXPECT_EQ(want.right, got.right) << "control " << c.id;
    if (c.h) {
      EXPECT_EQ(want.bottom, got.bottom) << "control " << c.id;
    }
  }
}

std::vector<std::string> Items(HWND combo) {
  std::vector<std::string> items;
  TComboBox box(nullptr, 0);
  box.Attach(combo);
  int n = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::unique_ptr<char[]> text(box.DupItemText(i));
    items.push_back(text ? text.get() : "");
  }
  return items;
}
