#include <gtest/gtest.h>
#include <new>
#include "dialog.h"
#include "gui_test.h"

namespace {

class TRecordingList : public TListBox {
public:
  using TListBox::TListBox;
  int drawn = 0;
  void ODADrawEntire(DRAWITEMSTRUCT&) override { ++drawn; }
};

// Answers its edit changes and any WM_NOTIFY itself (17) and declines its other commands.
class TAnsweringCombo : public TComboBox {
public:
  using TComboBox::TComboBox;
  int answered = 0;
  bool HandleNotification(Message& m) override {
    if (m.msg == WM_COMMAND && m.Code() != CBN_EDITCHANGE) return false;
    ++answered;
    m.result = 17;
    return true;
  }
};

const UINT kRunOutOfMemory = WM_USER + 9;

class TCatchingEdit : public TEdit {
public:
  using TEdit::TEdit;
  int caught = 0;
  void SetupWindow() override { Subclass(); }

protected:
  bool WindowProc(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg == kRunOutOfMemory) throw std::bad_alloc();
    if (msg != WM_USER + 5) return false;
    ++caught;
    result = 7;
    return true;
  }
};

class TTestDialog : public TDialog {
public:
  explicit TTestDialog(bool swallowCancel = false)
      : TDialog(nullptr, 100), edit(this, 10), combo(this, 11), box(this, 12), list(this, 14),
        swallowCancel_(swallowCancel) {}
  TCatchingEdit edit;
  TAnsweringCombo combo;
  TCheckBox box;
  TRecordingList list;
  int counted = 0, timers = 0, cleanups = 0, comboRows = 0;
  int* cleanupsElsewhere = nullptr;  // counts past the object's life
  std::string textAtSetup;

protected:
  void SetupWindow() override {
    TDialog::SetupWindow();
    textAtSetup = combo.IsWindow() ? "attached" : "not attached";
  }
  void CleanupWindow() override {
    ++cleanups;
    if (cleanupsElsewhere) ++*cleanupsElsewhere;
  }
  void CmCount() { ++counted; }
  void CbCombo() { ++comboRows; }
  void CmCancelMaybe(Message& m) {
    if (!swallowCancel_) CloseWindow(m.Id());
  }
  void EvTimer() { ++timers; }
  void EvNotify(Message& m) { m.result = 42; }
  void EvCtlColorEdit(Message& m) { m.result = reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)); }
  void EvRunOutOfMemory() { throw std::bad_alloc(); }

private:
  bool swallowCancel_;
  DECLARE_RESPONSE_TABLE(TTestDialog);
};

DEFINE_RESPONSE_TABLE(TTestDialog, TDialog) = {
    {WM_COMMAND, 13, BN_CLICKED, &Self::CmCount},
    {WM_COMMAND, 11, CBN_EDITCHANGE, &Self::CbCombo},
    {WM_COMMAND, 11, CBN_SELCHANGE, &Self::CbCombo},
    {WM_COMMAND, IDCANCEL, BN_CLICKED, &Self::CmCancelMaybe},
    {WM_TIMER, 0, 0, &Self::EvTimer},
    {WM_NOTIFY, 14, NM_CUSTOMDRAW, &Self::EvNotify},
    {WM_CTLCOLOREDIT, 0, 0, &Self::EvCtlColorEdit},
    {kRunOutOfMemory, 0, 0, &Self::EvRunOutOfMemory},
    {},
};

}  // namespace

TEST(Dialog, ControlsAreAttachedBeforeTheDerivedSetupAndTableRowsReachHandlers) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  EXPECT_EQ(dlg.textAtSetup, "attached");
  EXPECT_EQ(dlg.combo.Handle(), ::GetDlgItem(dlg.Handle(), 11));

  Click(dlg.Handle(), 13);
  Click(dlg.Handle(), 13);
  EXPECT_EQ(dlg.counted, 2);

  ::SendMessageA(dlg.Handle(), WM_TIMER, 0, 0);
  EXPECT_EQ(dlg.timers, 1);
}

TEST(Dialog, NotifyResultGoesToMsgResult) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  NMHDR hdr{::GetDlgItem(dlg.Handle(), 14), 14, static_cast<UINT>(NM_CUSTOMDRAW)};
  EXPECT_EQ(::SendMessageA(dlg.Handle(), WM_NOTIFY, 14, reinterpret_cast<LPARAM>(&hdr)), 42);
  // A notification that no row names falls to the default, which answers 0.
  NMHDR other{::GetDlgItem(dlg.Handle(), 14), 14, static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(::SendMessageA(dlg.Handle(), WM_NOTIFY, 14, reinterpret_cast<LPARAM>(&other)), 0);
}

TEST(Dialog, AControlAnswersItsNotificationsBeforeTheTableOrDeclinesThemToIt) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  auto command = [&](int code, HWND from) {
    ::SendMessageA(dlg.Handle(), WM_COMMAND, MAKEWPARAM(11, code), reinterpret_cast<LPARAM>(from));
  };
  command(CBN_EDITCHANGE, dlg.combo.Handle());
  EXPECT_EQ(dlg.combo.answered, 1);
  EXPECT_EQ(dlg.comboRows, 0) << "an answered notification must not reach the table";
  command(CBN_SELCHANGE, dlg.combo.Handle());
  EXPECT_EQ(dlg.comboRows, 1) << "a declined one reaches it as before";
  // An accelerator (no window) or another window with the control's id is not the control.
  command(CBN_EDITCHANGE, nullptr);
  command(CBN_EDITCHANGE, dlg.edit.Handle());
  EXPECT_EQ(dlg.combo.answered, 1);
  EXPECT_EQ(dlg.comboRows, 3);
  NMHDR hdr{dlg.combo.Handle(), 11, static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(::SendMessageA(dlg.Handle(), WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&hdr)), 17);
}

TEST(Dialog, AnswersGoToMsgResultOrAreReturnedAsEachMessageWants) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  HWND edit = ::GetDlgItem(dlg.Handle(), 10);
  HDC dc = ::GetDC(edit);
  EXPECT_EQ(::SendMessageA(dlg.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)),
            reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
  ::ReleaseDC(edit, dc);
  // Owner drawing answers TRUE of its own, not what the message before it left behind.
  NMHDR hdr{::GetDlgItem(dlg.Handle(), 14), 14, static_cast<UINT>(NM_CUSTOMDRAW)};
  ASSERT_EQ(::SendMessageA(dlg.Handle(), WM_NOTIFY, 14, reinterpret_cast<LPARAM>(&hdr)), 42);
  MEASUREITEMSTRUCT measure{ODT_LISTBOX, 14, 0, 0, 0, 0};
  EXPECT_EQ(::SendMessageA(dlg.Handle(), WM_MEASUREITEM, 14, reinterpret_cast<LPARAM>(&measure)), TRUE);
}

TEST(Dialog, DestroyRunsTheDerivedCleanupAndADialogLeftOpenGoesWithoutReachingItsParts) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  dlg.Destroy();
  EXPECT_EQ(dlg.cleanups, 1);
  EXPECT_FALSE(dlg.IsWindow());

  // The object goes with its window open: the window goes too, and neither the dialog's
  // parts nor the subclassed edit, already destroyed, are called.
  int cleanups = 0;
  auto* open = new TTestDialog;
  open->cleanupsElsewhere = &cleanups;
  HWND window = open->Create();
  ASSERT_NE(window, nullptr);
  HWND edit = open->edit.Handle();
  delete open;
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(::IsWindow(edit));
  EXPECT_EQ(cleanups, 0);
}

TEST(Dialog, RunningOutOfMemoryLeavesTheMessageUndoneAndTheDialogWorking) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  EXPECT_EQ(::SendMessageA(dlg.Handle(), kRunOutOfMemory, 0, 0), 0);
  EXPECT_EQ(dlg.edit.Send(kRunOutOfMemory), 0);
  Click(dlg.Handle(), 13);
  EXPECT_EQ(dlg.counted, 1);
  EXPECT_EQ(dlg.edit.Send(WM_USER + 5), 7);
}

TEST(Dialog, DerivedRowOverridesBaseCancelAndModalRunReturnsResult) {
  {
    TTestDialog dlg(true);
    ASSERT_NE(dlg.Create(), nullptr);
    Click(dlg.Handle(), IDCANCEL);
    EXPECT_TRUE(dlg.IsWindow()) << "a swallowed Esc must leave the window open";
  }
  TTestDialog dlg;
  ModalDriver ok([&] {
    if (!dlg.IsWindow()) return false;
    Click(dlg.Handle(), IDOK);
    return true;
  });
  EXPECT_EQ(dlg.Execute(), IDOK);
  EXPECT_EQ(dlg.cleanups, 1);
  EXPECT_FALSE(dlg.IsWindow());
}

TEST(Dialog, OwnerDrawAndSubclassReachTheControlObjects) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  ::ShowWindow(dlg.Handle(), SW_SHOW);
  static const char line[] = "x";
  dlg.list.AddItemData(line);
  ::UpdateWindow(dlg.Handle());
  PumpMessages(50);
  EXPECT_GE(dlg.list.drawn, 1);
  EXPECT_EQ(dlg.edit.Send(WM_USER + 5), 7);
  EXPECT_EQ(dlg.edit.caught, 1);
}

TEST(Controls, ComboAndCheckBoxWrappers) {
  TTestDialog dlg;
  ASSERT_NE(dlg.Create(), nullptr);
  dlg.combo.AddString("alpha");
  dlg.combo.InsertString("beta", 0);
  ASSERT_EQ(dlg.combo.GetCount(), 2);
  EXPECT_STREQ(dlg.combo.DupItemText(0).get(), "beta");
  EXPECT_EQ(dlg.combo.DupItemText(2), nullptr);

  std::string longText(5000, 'u');
  dlg.combo.SetText(longText.c_str());
  EXPECT_EQ(std::string(dlg.combo.DupText().get()).size(), longText.size());

  dlg.box.SetCheck(BST_INDETERMINATE);
  EXPECT_EQ(dlg.box.GetCheck(), BST_INDETERMINATE);
  EXPECT_FALSE(dlg.box.IsChecked());
  dlg.box.SetCheck(BST_CHECKED);
  EXPECT_TRUE(dlg.box.IsChecked());
}

TEST(Prompts, ErrorsWarningsAndReportsGoThroughTheHook) {
  ScriptedPrompts prompts;
  prompts.answers = {IDCANCEL};
  EXPECT_EQ(ShowError(nullptr, "bad"), IDCANCEL);
  ShowWarning(nullptr, "careful");
  ShowSuccess(nullptr, "done");
  ASSERT_EQ(prompts.boxes.size(), 3u);
  EXPECT_EQ(prompts.boxes[0].caption, "Error");
  EXPECT_EQ(prompts.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONHAND));
  EXPECT_EQ(prompts.boxes[1].caption, "Warnning");
  EXPECT_EQ(prompts.boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(prompts.boxes[2].caption, "Ok");
  EXPECT_EQ(prompts.boxes[2].text, "done");
}
