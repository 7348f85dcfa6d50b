#include <windows.h>
#include <commctrl.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "commander_fixture.h"
#include "gui_test.h"
#include "main_window.h"
#include "options.h"
#include "options_sheet.h"
#include "resource.h"

namespace {

using Strings = std::vector<std::string>;

struct DialogSize {
  int w = 0, h = 0;
};

// The size in dialog units that an extended dialog template of this program declares.
DialogSize TemplateSize(int resourceId) {
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(5));  // RT_DIALOG
  const auto* bytes = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))) : nullptr;
  DialogSize size;
  WORD version = 0, signature = 0;
  if (!bytes) return size;
  std::memcpy(&version, bytes, 2);
  std::memcpy(&signature, bytes + 2, 2);
  if (version != 1 || signature != 0xFFFF) return size;
  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, then cx and cy.
  short cx = 0, cy = 0;
  std::memcpy(&cx, bytes + 2 + 2 + 4 + 4 + 4 + 2 + 2 + 2, 2);
  std::memcpy(&cy, bytes + 2 + 2 + 4 + 4 + 4 + 2 + 2 + 2 + 2, 2);
  size.w = cx;
  size.h = cy;
  return size;
}

// A modeless sheet for tests that look at it between steps.
struct OpenSheet {
  TPropertySheetOptions sheet;
  HWND hwnd = nullptr;
  explicit OpenSheet(CommanderState& state) : sheet(nullptr, state) {
    hwnd = sheet.Create();
    if (hwnd) {
      ::SetForegroundWindow(hwnd);
      PumpMessages(30);
    }
  }
  void Select(int page) {
    PropSheet_SetCurSel(hwnd, nullptr, page);
    PumpMessages(20);
  }
  void Press(int button) {
    PropSheet_PressButton(hwnd, button);
    PumpMessages(20);
  }
};

using OptionsSheet = CommanderTest;

int Selection(const TComboBox& box) { return box.GetSelIndex(); }
int Check(const TCheckBox& box) { return box.GetCheck(); }
std::string Text(const TWindow& w) { return WindowText(w.Handle()); }
LONG Style(HWND hwnd) { return ::GetWindowLongA(hwnd, GWL_STYLE); }

void Choose(const TComboBox& box, int index) { box.SetSelIndex(index); }
void Type(const TComboBox& box, const char* text) { box.SetText(text); }

// Puts the focus into a field and out again, as a user leaving the field does.
void Leave(const TComboBox& box, HWND next) {
  box.SetFocus();
  ::SetFocus(next);
}

}  // namespace

TEST_F(OptionsSheet, PagesShowTheOptionSet) {
  state.options.createDirectory.selection = 4;  // beyond the choices: shown as "Default"
  state.options.overwriteMode.selection = 1;
  state.options.recursiveMode.selection = 2;
  state.options.clientServerTalk.selection = 2;
  std::strcpy(state.options.retryCount, "7");
  state.options.useExclusivePatterns = 1;
  SetList(state.options.inclusivePatterns, {"*.zip", "*.arj", "*.txt"});
  SetList(state.options.workDirectory, {"C:/work", "D:/old"});
  state.options.ftpGetDirList = 1;
  state.options.useDirListName = 1;
  state.options.includeUnixLinks = 1;
  state.options.ftpProxyState = kProxyDefault;
  SetList(state.options.ftpProxy, {"proxy:21"});
  state.options.httpRecovery = 1;
  state.options.includeSameSite = 5;
  state.options.relocateImages.selection = 2;
  state.options.httpProxyState = kProxyOn;
  state.options.nntpOutdate = 1;
  state.options.decodePosts.selection = 1;
  std::strcpy(state.options.minimumRows, "20");
  SetList(state.options.fileList, {"files.lst"});

  OpenSheet s(state);
  ASSERT_NE(s.hwnd, nullptr);
  EXPECT_EQ(WindowText(s.hwnd), "Tarnwell Command-line Options");
  TPropertyPageCommon& c = s.sheet.common;
  EXPECT_EQ(Selection(c.createDirBox), 0);
  EXPECT_EQ(Text(c.createDirBox), "Default");
  EXPECT_EQ(Selection(c.overwriteBox), 1);
  EXPECT_EQ(Text(c.overwriteBox), "Timestamp");
  EXPECT_EQ(Text(c.recursiveBox), "All links");
  EXPECT_EQ(Text(c.gaugeBox), "Default");
  EXPECT_EQ(Text(c.talkBox), "No");
  EXPECT_EQ(Text(c.retriesEdit), "7");
  // Typing stops at the 9 characters the option keeps (the field, without horizontal
  // scrolling, may stop it sooner).
  EXPECT_EQ(9, ::SendMessageA(c.retriesEdit.Handle(), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(Check(c.useExcludeBox), BST_CHECKED);
  EXPECT_EQ(Check(c.useIncludeBox), BST_UNCHECKED);
  // The pattern list shows sorted; its field shows the most recent entry.
  EXPECT_EQ(ComboItems(c.includeBox.Handle()), (Strings{"*.arj", "*.txt", "*.zip"}));
  EXPECT_EQ(Text(c.includeBox), "*.zip");
  EXPECT_EQ(ComboItems(c.workDirBox.Handle()), (Strings{"C:/work", "D:/old"}));
  EXPECT_EQ(Text(c.workDirBox), "C:/work");
  EXPECT_EQ(Text(c.logBox), "");
  EXPECT_FALSE(s.sheet.ftp.IsCreated());

  s.Select(1);
  TPropertyPageFTP& f = s.sheet.ftp;
  EXPECT_EQ(Check(f.dirListButton), BST_CHECKED);
  EXPECT_EQ(Check(f.downloadButton), BST_UNCHECKED);
  EXPECT_EQ(Check(f.useDirListNameBox), BST_CHECKED);
  EXPECT_EQ(Text(f.unixLinksBox), "Yes");
  EXPECT_EQ(ComboItems(f.unixLinksBox.Handle()), (Strings{"Default", "Yes"}));
  EXPECT_EQ(Text(f.pasvBox), "Default");
  EXPECT_EQ(Check(f.useProxyBox), BST_INDETERMINATE);
  EXPECT_EQ(Text(f.proxyBox), "proxy:21");

  s.Select(2);
  TPropertyPageHTTP& h = s.sheet.http;
  EXPECT_EQ(Check(h.recoveryButton), BST_CHECKED);
  EXPECT_EQ(Text(h.sameSiteBox), "Default");
  EXPECT_EQ(Text(h.relocateBox), "No");
  EXPECT_EQ(Text(h.nonHtmlBox), "Default");
  EXPECT_EQ(Check(h.useProxyBox), BST_CHECKED);

  s.Select(3);
  TPropertyPageNNTP& n = s.sheet.nntp;
  EXPECT_EQ(Check(n.outdateButton), BST_CHECKED);
  EXPECT_EQ(Check(n.downloadButton), BST_UNCHECKED);
  EXPECT_EQ(Text(n.decodeBox), "Yes");
  EXPECT_EQ(Text(n.minRowsEdit), "20");
  EXPECT_EQ(9, ::SendMessageA(n.minRowsEdit.Handle(), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(Text(n.fileListBox), "files.lst");
  EXPECT_EQ(Check(n.useFileListBox), BST_UNCHECKED);
}

TEST_F(OptionsSheet, OkAtOnceFromTheMainWindowAppliesOnlyTheCommonPage) {
  state.options.createDirectory.selection = 9;
  state.options.eraseSource.selection = 9;
  state.options.includeNonHtml.selection = 9;
  state.options.decodePosts.selection = 9;
  SetList(state.options.inclusivePatterns, {"b", "a"});
  SetList(state.options.ftpProxy, {"p2", "p1"});

  TDialogTarnwellCommander w(state);
  ASSERT_NE(w.Create(), nullptr);
  HWND owner = nullptr;
  std::string caption;
  ModalDriver ok([&] {
    HWND sheet = FindOwnWindow("Tarnwell Command-line Options");
    if (!sheet) return false;
    owner = ::GetWindow(sheet, GW_OWNER);
    caption = WindowText(sheet);
    PropSheet_PressButton(sheet, PSBTN_OK);
    return true;
  });
  Click(w.Handle(), IDC_OPTIONS);
  ASSERT_TRUE(ok.Done());
  EXPECT_EQ(owner, w.Handle());

  EXPECT_EQ(state.optionsApplied, 1);
  EXPECT_EQ(state.options.createDirectory.selection, 0);
  EXPECT_EQ(ListOf(state.options.inclusivePatterns), (Strings{"a", "b"}));
  // The other pages were never created: their options are as they were.
  EXPECT_EQ(state.options.eraseSource.selection, 9);
  EXPECT_EQ(state.options.includeNonHtml.selection, 9);
  EXPECT_EQ(state.options.decodePosts.selection, 9);
  EXPECT_EQ(ListOf(state.options.ftpProxy), (Strings{"p2", "p1"}));
}

TEST_F(OptionsSheet, CancelAfterEditsOnEveryPageStoresNothing) {
  SetList(state.options.workDirectory, {"C:/work"});
  SetList(state.options.exclusivePatterns, {"*.tmp"});
  {
    OpenSheet s(state);
    ASSERT_NE(s.hwnd, nullptr);
    TPropertyPageCommon& c = s.sheet.common;
    Choose(c.createDirBox, 2);
    c.useLogBox.Click();
    Type(c.workDirBox, "D:/new");
    Leave(c.workDirBox, c.logBox.Handle());
    ASSERT_EQ(ComboItems(c.workDirBox.Handle()), (Strings{"D:/new", "C:/work"}));
    Type(c.excludeBox, "*.tmp");
    ::SendMessageA(s.sheet.common.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMMON_EXCLUDE_REMOVE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(c.Handle(), IDC_COMMON_EXCLUDE_REMOVE)));
    ASSERT_TRUE(ComboItems(c.excludeBox.Handle()).empty());
    s.Select(1);
    s.sheet.ftp.uploadButton.Click();
    s.Select(2);
    Choose(s.sheet.http.relocateBox, 1);
    s.Select(3);
    s.sheet.nntp.minRowsEdit.SetText("99");
    s.Press(PSBTN_CANCEL);
  }
  EXPECT_EQ(state.optionsApplied, 0);
  EXPECT_EQ(state.options.createDirectory.selection, 0);
  EXPECT_EQ(state.options.useLogFile, 0);
  EXPECT_EQ(ListOf(state.options.workDirectory), (Strings{"C:/work"}));
  EXPECT_EQ(ListOf(state.options.exclusivePatterns), (Strings{"*.tmp"}));
  EXPECT_EQ(state.options.ftpUpload, 0);
  EXPECT_EQ(state.options.relocateImages.selection, 0);
  EXPECT_STREQ(state.options.minimumRows, "");
}

TEST_F(OptionsSheet, OkStoresEveryControlOfTheVisitedPages) {
  SetList(state.options.firstFilename, {"old.txt"});
  {
    OpenSheet s(state);
    ASSERT_NE(s.hwnd, nullptr);
    TPropertyPageCommon& c = s.sheet.common;
    Choose(c.createDirBox, 3);
    Choose(c.overwriteBox, 2);
    Choose(c.recursiveBox, 1);
    Choose(c.gaugeBox, 2);
    Choose(c.talkBox, 1);
    c.useFirstFilenameBox.Click();
    c.useWorkDirBox.Click();
    c.retriesEdit.SetText("1234567890AB");  // only the first 9 characters are kept
    Type(c.logBox, "run.log");
    Leave(c.logBox, c.retriesEdit.Handle());
    Type(c.firstFilenameBox, "typed but never committed");

    s.Select(1);
    TPropertyPageFTP& f = s.sheet.ftp;
    f.uploadButton.Click();
    Choose(f.eraseBox, 1);
    Choose(f.unixLinksBox, 1);
    Choose(f.pasvBox, 2);
    f.useProxyBox.SetCheck(BST_INDETERMINATE);
    Type(f.proxyBox, "gate:8021");
    Leave(f.proxyBox, f.eraseBox.Handle());

    s.Select(2);
    TPropertyPageHTTP& h = s.sheet.http;
    h.recoveryButton.Click();
    Choose(h.sameSiteBox, 1);
    Choose(h.nonHtmlBox, 2);
    Choose(h.relocateBox, 1);
    h.useProxyBox.SetCheck(BST_CHECKED);

    s.Select(3);
    TPropertyPageNNTP& n = s.sheet.nntp;
    n.outdateButton.Click();
    Choose(n.decodeBox, 2);
    n.minRowsEdit.SetText("15");
    n.useMsgidDirBox.Click();
    s.Press(PSBTN_OK);
  }
  EXPECT_EQ(state.optionsApplied, 1);
  EXPECT_EQ(state.options.createDirectory.selection, 3);
  EXPECT_EQ(state.options.overwriteMode.selection, 2);
  EXPECT_EQ(state.options.recursiveMode.selection, 1);
  EXPECT_EQ(state.options.transferGauge.selection, 2);
  EXPECT_EQ(state.options.clientServerTalk.selection, 1);
  EXPECT_EQ(state.options.useFirstFilename, 1);
  EXPECT_EQ(state.options.useWorkDirectory, 1);
  EXPECT_EQ(state.options.useLogFile, 0);
  EXPECT_STREQ(state.options.retryCount, "123456789");
  EXPECT_EQ(ListOf(state.options.logFile), (Strings{"run.log"}));
  EXPECT_EQ(ListOf(state.options.firstFilename), (Strings{"old.txt"}));

  EXPECT_EQ(state.options.ftpUpload, 1);
  EXPECT_EQ(state.options.ftpGetDirList, 0);
  EXPECT_EQ(state.options.eraseSource.selection, 1);
  EXPECT_EQ(state.options.includeUnixLinks, 1);
  EXPECT_EQ(state.options.pasvMode.selection, 2);
  EXPECT_EQ(state.options.ftpProxyState, kProxyDefault);
  EXPECT_EQ(ListOf(state.options.ftpProxy), (Strings{"gate:8021"}));

  EXPECT_EQ(state.options.httpRecovery, 1);
  EXPECT_EQ(state.options.includeSameSite, 1);
  EXPECT_EQ(state.options.includeNonHtml.selection, 2);
  EXPECT_EQ(state.options.relocateImages.selection, 1);
  EXPECT_EQ(state.options.httpProxyState, kProxyOn);

  EXPECT_EQ(state.options.nntpOutdate, 1);
  EXPECT_EQ(state.options.decodePosts.selection, 2);
  EXPECT_STREQ(state.options.minimumRows, "15");
  EXPECT_EQ(state.options.useMsgidDirectory, 1);
}

TEST_F(OptionsSheet, PatternButtonsAddAndRemoveAndOnlyTheUnnamedButtonCounts) {
  SetList(state.options.inclusivePatterns, {"b", "c", "a"});
  OpenSheet s(state);
  ASSERT_NE(s.hwnd, nullptr);
  TPropertyPageCommon& c = s.sheet.common;
  HWND page = c.Handle();
  // The "+" of the inclusive patterns as the user finds it: of the two "+" buttons, the
  // one level with that list.
  const int includeTop = ChildRect(page, IDC_COMMON_INCLUDE).top;
  HWND plus = nullptr;
  int nearest = 0;
  for (HWND b = nullptr; (b = ::FindWindowExA(page, b, "Button", "+")) != nullptr;) {
    RECT r;
    ::GetWindowRect(b, &r);
    ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    const int distance = std::abs(r.top - includeTop);
    if (!plus || distance < nearest) plus = b, nearest = distance;
  }
  ASSERT_NE(plus, nullptr);
  ASSERT_NE(::GetDlgItem(page, IDC_COMMON_EXCLUDE_ADD), plus);

  // A notification with id 65535 from a label is not the "+" button.
  Type(c.includeBox, "z*");
  HWND label = ::GetDlgItem(page, 65535);
  ASSERT_NE(label, plus);
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(65535, BN_CLICKED), reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(ComboItems(c.includeBox.Handle()), (Strings{"a", "b", "c"}));

  // "+" puts the new entry on top, even in the sorted list.
  ::SendMessageA(plus, BM_CLICK, 0, 0);
  EXPECT_EQ(ComboItems(c.includeBox.Handle()), (Strings{"z*", "a", "b", "c"}));

  // "-" removes the shown entry (any case) and shows the one that followed it.
  Type(c.includeBox, "B");
  Click(page, IDC_COMMON_INCLUDE_REMOVE);
  EXPECT_EQ(ComboItems(c.includeBox.Handle()), (Strings{"z*", "a", "c"}));
  EXPECT_EQ(Text(c.includeBox), "c");

  // The exclusive list's own "+" (103) and "-" (110).
  Type(c.excludeBox, "*.bak");
  Click(page, IDC_COMMON_EXCLUDE_ADD);
  EXPECT_EQ(ComboItems(c.excludeBox.Handle()), (Strings{"*.bak"}));
  Click(page, IDC_COMMON_EXCLUDE_REMOVE);
  EXPECT_TRUE(ComboItems(c.excludeBox.Handle()).empty());

  s.Press(PSBTN_OK);
  EXPECT_EQ(ListOf(state.options.inclusivePatterns), (Strings{"z*", "a", "c"}));
}

TEST_F(OptionsSheet, HistoryFieldsOfEveryPageCommitOnFocusLossAndDropDown) {
  OpenSheet s(state);
  ASSERT_NE(s.hwnd, nullptr);
  TPropertyPageCommon& c = s.sheet.common;
  struct Field { int page; TComboBox* box; };
  for (const Field& f : {Field{0, &c.firstFilenameBox}, Field{0, &c.logBox}, Field{0, &c.excludeBox},
                         Field{0, &c.includeBox}, Field{0, &c.workDirBox},
                         Field{1, &s.sheet.ftp.dirListNameBox}, Field{1, &s.sheet.ftp.proxyBox},
                         Field{2, &s.sheet.http.defaultHtmlBox}, Field{2, &s.sheet.http.proxyBox},
                         Field{3, &s.sheet.nntp.msgidDirBox}, Field{3, &s.sheet.nntp.fileListBox}}) {
    s.Select(f.page);
    Type(*f.box, "left");
    Leave(*f.box, ::GetParent(f.box->Handle()));
    Type(*f.box, "dropped");
    f.box->ShowDropDown(true);
    f.box->ShowDropDown(false);
    EXPECT_EQ(ComboItems(f.box->Handle()), (Strings{"dropped", "left"})) << "page " << f.page << " control "
                                                                          << f.box->Id();
  }
}

TEST_F(OptionsSheet, BrowseButtonsFillTheirFields) {
  ScriptedPrompts prompts;
  OpenSheet s(state);
  ASSERT_NE(s.hwnd, nullptr);
  TPropertyPageCommon& c = s.sheet.common;

  Click(c.Handle(), IDC_COMMON_BROWSE_LOG);  // cancelled: nothing changes
  EXPECT_EQ(Text(c.logBox), "");
  prompts.nextFile = "C:\\logs\\run.log";
  Click(c.Handle(), IDC_COMMON_BROWSE_LOG);
  ASSERT_EQ(prompts.fileDialogs.size(), 2u);
  EXPECT_EQ(prompts.fileDialogs[1].filter, "Log files (*.log)|*.log|All files (*.*)|*.*|");
  EXPECT_EQ(prompts.fileDialogs[1].flags & (OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_CREATEPROMPT),
            static_cast<DWORD>(OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_CREATEPROMPT));
  EXPECT_EQ(Text(c.logBox), "C:/logs/run.log");
  EXPECT_EQ(ComboItems(c.logBox.Handle()), (Strings{"C:/logs/run.log"}));

  prompts.nextFolder = "C:\\windows";
  Click(c.Handle(), IDC_COMMON_BROWSE_WORK_DIR);
  EXPECT_EQ(ComboItems(c.workDirBox.Handle()), (Strings{"C:/windows"}));

  s.Select(3);
  Click(s.sheet.nntp.Handle(), IDC_NNTP_BROWSE_MSGID_DIR);
  EXPECT_EQ(Text(s.sheet.nntp.msgidDirBox), "C:/windows");
  EXPECT_EQ(prompts.folderTitles, (Strings{"Please select a directory", "Please select a directory"}));
}

TEST_F(OptionsSheet, PagesHaveTheirSizesCaptionsAndControlKinds) {
  OpenSheet s(state);
  ASSERT_NE(s.hwnd, nullptr);
  struct Page { TPropertyPage* page; const char* caption; int w, h; };
  const Page pages[] = {{&s.sheet.common, "Common Options", 266, 131},
                        {&s.sheet.ftp, "FTP Options", 237, 108},
                        {&s.sheet.http, "HTTP Options", 271, 108},
                        {&s.sheet.nntp, "NNTP Options", 245, 89}};
  HWND tabs = PropSheet_GetTabControl(s.hwnd);
  for (int i = 0; i < 4; ++i) {
    s.Select(i);
    char text[32] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, pages[i].caption);
    // The template's own size, exactly; the sheet then shows every page at the largest.
    const DialogSize size = TemplateSize(pages[i].page->ResourceId());
    EXPECT_EQ(pages[i].w, size.w) << pages[i].caption;
    EXPECT_EQ(pages[i].h, size.h) << pages[i].caption;
    HWND page = pages[i].page->Handle();
    RECT client, largest = DialogUnitsToPixels(page, 0, 0, 271, 131);
    ::GetClientRect(page, &client);
    EXPECT_EQ(largest.right, client.right) << pages[i].caption;
    EXPECT_EQ(largest.bottom, client.bottom) << pages[i].caption;
  }
  TPropertyPageCommon& c = s.sheet.common;
  EXPECT_EQ(Style(c.createDirBox.Handle()) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(Style(c.workDirBox.Handle()) & (3 | CBS_AUTOHSCROLL), CBS_DROPDOWN | CBS_AUTOHSCROLL);
  EXPECT_TRUE(Style(c.includeBox.Handle()) & CBS_SORT);
  EXPECT_TRUE(Style(c.excludeBox.Handle()) & CBS_SORT);
  EXPECT_FALSE(Style(c.workDirBox.Handle()) & CBS_SORT);
  EXPECT_EQ(Style(s.sheet.ftp.useProxyBox.Handle()) & BS_TYPEMASK, BS_AUTO3STATE);
  EXPECT_EQ(Style(s.sheet.http.useProxyBox.Handle()) & BS_TYPEMASK, BS_AUTO3STATE);
  // The hidden "Upload" shares the id of "Outdate", which the id finds.
  EXPECT_EQ(Text(s.sheet.nntp.outdateButton), "Outdate");
  HWND upload = ::GetWindow(s.sheet.nntp.outdateButton.Handle(), GW_HWNDNEXT);
  EXPECT_EQ(WindowText(upload), "Upload");
  EXPECT_EQ(::GetDlgCtrlID(upload), IDC_NNTP_OUTDATE);
  EXPECT_FALSE(::IsWindowVisible(upload));
}
