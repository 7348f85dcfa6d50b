#include "property_sheet.h"
#include <gtest/gtest.h>
#include "gui_test.h"

namespace {

class TCountingPage : public TPropertyPage {
public:
  explicit TCountingPage(int id) : TPropertyPage(id), edit(this, 10) {}
  TEdit edit;
  int setups = 0, applies = 0;
protected:
  void SetupWindow() override {
    TPropertyPage::SetupWindow();
    ++setups;
    edit.SetText("shown");
  }
  LRESULT Apply() override {
    ++applies;
    return TPropertyPage::Apply();
  }
};

struct Sheet {
  TCountingPage first{101}, second{102};
  TPropertySheet sheet{nullptr, "Sheet Test"};
  Sheet() {
    sheet.AddPage(first);
    sheet.AddPage(second);
  }
};

HWND SheetOf(const TPropertyPage& page) { return page.IsCreated() ? ::GetParent(page.Handle()) : nullptr; }

}  // namespace

TEST(Sheet, OkAtOnceAppliesOnlyTheCreatedFirstPage) {
  Sheet s;
  ModalDriver ok([&] {
    HWND sheet = SheetOf(s.first);
    if (!sheet) return false;
    PropSheet_PressButton(sheet, PSBTN_OK);
    return true;
  });
  s.sheet.Execute();
  EXPECT_EQ(s.first.setups, 1);
  EXPECT_EQ(s.first.applies, 1);
  EXPECT_EQ(s.second.setups, 0);
  EXPECT_EQ(s.second.applies, 0);
}

TEST(Sheet, VisitedPagesApplyOnOkAndNothingAppliesOnCancel) {
  {
    Sheet s;
    ModalDriver ok([&] {
      HWND sheet = SheetOf(s.first);
      if (!sheet) return false;
      PropSheet_SetCurSel(sheet, nullptr, 1);
      PropSheet_PressButton(sheet, PSBTN_OK);
      return true;
    });
    s.sheet.Execute();
    EXPECT_EQ(s.first.applies, 1);
    EXPECT_EQ(s.second.applies, 1);
  }
  Sheet s;
  ModalDriver cancel([&] {
    HWND sheet = SheetOf(s.first);
    if (!sheet) return false;
    PropSheet_SetCurSel(sheet, nullptr, 1);
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
    return true;
  });
  s.sheet.Execute();
  EXPECT_EQ(s.second.setups, 1);
  EXPECT_EQ(s.first.applies + s.second.applies, 0);
}

TEST(Sheet, ModelessSheetShowsTheFirstPage) {
  Sheet s;
  HWND sheet = s.sheet.Create();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(WindowText(sheet), "Sheet Test");
  ASSERT_TRUE(s.first.IsCreated());
  EXPECT_EQ(WindowText(s.first.edit.Handle()), "shown");
  EXPECT_FALSE(s.second.IsCreated());
}

TEST(Sheet, APageNeverEndsItself) {
  Sheet s;
  ASSERT_NE(s.sheet.Create(), nullptr);
  HWND page = s.first.Handle();
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(::IsWindow(page));
  EXPECT_TRUE(s.first.IsCreated());
}

TEST(Sheet, PageObjectsThatGoFirstTakeTheSheetsWindowWithThem) {
  auto* sheet = new TPropertySheet(nullptr, "Sheet Test");
  HWND window;
  {
    TCountingPage first{101}, second{102};
    sheet->AddPage(first);
    sheet->AddPage(second);
    window = sheet->Create();
    ASSERT_NE(window, nullptr);
  }
  EXPECT_FALSE(::IsWindow(window));
  delete sheet;
}
