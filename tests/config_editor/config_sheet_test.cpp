// The configuration sheet as a real modeless sheet: page layouts, what set-up shows, what
// apply takes back (only from pages that were shown), commits and the browse buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "config_sheet.h"
#include "gui_test.h"
#include "registry_helpers.h"
#include "tarncfg_ids.h"
#include "window_checks.h"

namespace {

std::vector<std::string> Texts(const chain<cstring1>& list) {
  std::vector<std::string> texts;
  for (chnode<cstring1>* node = list.head; node; node = node->next) texts.push_back(cstring1_text(node->item));
  return texts;
}

int Selected(HWND page, int id) { return static_cast<int>(::SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)); }
bool Checked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }

class Sheet : public testing::Test {
protected:
  CleanKeys clean;
  ScriptedPrompts prompts;
  ConfigModel model;
  std::unique_ptr<TPropertySheetConfig> sheet;
  HWND hwnd = nullptr;

  void Open() {
    sheet.reset(new TPropertySheetConfig(nullptr, "Personal Configuration", model));
    hwnd = sheet->Create();
    ASSERT_NE(nullptr, hwnd);
    PumpMessages(30);
  }
  HWND Page(int index) {
    PropSheet_SetCurSel(hwnd, nullptr, index);
    PumpMessages(10);
    return PropSheet_GetCurrentPageHwnd(hwnd);
  }
  void Press(int button) {
    PropSheet_PressButton(hwnd, button);
    PumpMessages(20);
  }
  void TearDown() override {
    sheet.reset();
    PumpMessages(10);
  }
};

DWORD Style(HWND page, int id) { return static_cast<DWORD>(::GetWindowLongA(::GetDlgItem(page, id), GWL_STYLE)); }

TEST_F(Sheet, PagesHaveTheirControlsWhereTheyBelong) {
  Open();
  EXPECT_EQ("Personal Configuration", WindowText(hwnd));
  HWND common = Page(0);
  ExpectLayout(common, {{114, 71, 4, 50, 0}, {116, 207, 4, 50, 0}, {115, 71, 20, 50, 0}, {109, 143, 20, 52, 12},
                        {102, 195, 20, 62, 0}, {101, 4, 36, 64, 10}, {113, 69, 37, 174, 0}, {112, 243, 37, 12, 12},
                        {103, 4, 50, 64, 12}, {106, 69, 51, 174, 0}, {107, 243, 51, 12, 12}, {111, 111, 67, 24, 11},
                        {119, 77, 80, 50, 0}, {118, 207, 80, 50, 0}});
  for (int id : {109, 102}) {
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(common, id))) << id;
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(common, id))) << id;
  }
  for (int id : {114, 116, 115, 119, 118}) EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWNLIST), Style(common, id) & 3) << id;
  for (int id : {113, 106}) EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWN), Style(common, id) & 3) << id;

  HWND ftp = Page(1);
  ExpectLayout(ftp, {{102, 4, 4, 84, 12}, {106, 89, 4, 88, 0}, {107, 73, 24, 62, 0}, {108, 73, 39, 62, 0},
                     {103, 73, 54, 62, 0}, {101, 4, 73, 54, 12}, {109, 58, 73, 169, 0}});
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(ftp, 108)));

  HWND http = Page(2);
  ExpectLayout(http, {{106, 156, 4, 62, 0}, {107, 156, 18, 62, 0}, {108, 156, 32, 62, 0}, {102, 4, 51, 109, 15},
                      {110, 114, 51, 88, 0}, {101, 4, 70, 54, 12}, {1013, 59, 70, 169, 0}});
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(http, 107)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(http, 106)));

  HWND nntp = Page(3);
  ExpectLayout(nntp, {{108, 66, 4, 62, 0}, {101, 103, 21, 24, 11}, {104, 4, 37, 67, 12}, {103, 72, 37, 146, 0},
                      {106, 218, 37, 12, 12}, {105, 4, 52, 102, 12}, {102, 107, 52, 96, 0}});
  for (int id : {103, 102}) EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWN), Style(nntp, id) & 3) << id;

  std::vector<std::string> tabs;
  HWND tab = PropSheet_GetTabControl(hwnd);
  for (int i = 0; i < 4; ++i) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    tabs.push_back(text);
  }
  EXPECT_EQ((std::vector<std::string>{"Common Options", "FTP Options", "HTTP Options", "NNTP Options"}), tabs);
}

TEST_F(Sheet, SetupShowsTheModel) {
  model.createDirectory = 2;
  model.overwriteMode = 9;  // beyond its texts: shown as Default
  model.recursiveMode = 2;
  model.clientServerTalk = 2;
  model.logPath.enabled = 1;
  model.logPath.history.append(cstring1_new("a.log"));
  model.logPath.history.append(cstring1_new("b.log"));
  model.workDirectory.history.append(cstring1_new("c:/w"));  // unchecked, still shown
  std::strcpy(model.retryCount, "5");
  model.includeUnixLinks = 1;
  model.ftpProxy.enabled = 1;
  model.ftpProxy.history.append(cstring1_new("gate:21"));
  model.includeNonHtml = 2;
  std::strcpy(model.minimumRows, "40");
  model.decodePosts = 1;
  Open();

  HWND common = Page(0);
  EXPECT_EQ((std::vector<std::string>{"Default", "Below", "Full", "No"}), Items(::GetDlgItem(common, 114)));
  EXPECT_EQ(2, Selected(common, 114));
  EXPECT_EQ(0, Selected(common, 115));
  EXPECT_EQ((std::vector<std::string>{"Default", "Below", "All links", "No"}), Items(::GetDlgItem(common, 116)));
  EXPECT_EQ(2, Selected(common, 116));
  EXPECT_EQ(0, Selected(common, 118));
  EXPECT_EQ(2, Selected(common, 119));
  EXPECT_TRUE(Checked(common, 103));
  EXPECT_EQ("a.log", WindowText(::GetDlgItem(common, 106)));
  EXPECT_EQ((std::vector<std::string>{"a.log", "b.log"}), Items(::GetDlgItem(common, 106)));
  EXPECT_FALSE(Checked(common, 101));
  EXPECT_EQ("c:/w", WindowText(::GetDlgItem(common, 113)));
  EXPECT_EQ("5", WindowText(::GetDlgItem(common, 111)));

  HWND ftp = Page(1);
  EXPECT_EQ((std::vector<std::string>{"Default", "Yes"}), Items(::GetDlgItem(ftp, 108)));
  EXPECT_EQ(1, Selected(ftp, 108));
  EXPECT_TRUE(Checked(ftp, 101));
  EXPECT_EQ("gate:21", WindowText(::GetDlgItem(ftp, 109)));

  HWND http = Page(2);
  EXPECT_EQ((std::vector<std::string>{"Default", "Yes", "No"}), Items(::GetDlgItem(http, 107)));
  EXPECT_EQ(2, Selected(http, 107));

  HWND nntp = Page(3);
  EXPECT_EQ(1, Selected(nntp, 108));
  EXPECT_EQ("40", WindowText(::GetDlgItem(nntp, 101)));
}

// OK straight away applies the Common page only, yet the whole model is stored: every
// other page's values go back as they were loaded, and absent ones stay absent.
TEST_F(Sheet, OkAtOnceWritesEverythingBackAsLoaded) {
  const char* key = kCopierConfigKey;
  SetNumber(HKEY_CURRENT_USER, key, "Create directory structure", 2);
  SetString(HKEY_CURRENT_USER, key, "Log file path", "run.log");
  SetString(HKEY_CURRENT_USER, key, "Directory list name", "d.lst");
  SetNumber(HKEY_CURRENT_USER, key, "PASV mode", 0);
  SetString(HKEY_CURRENT_USER, key, "FTP proxy server", "gate");
  SetNumber(HKEY_CURRENT_USER, key, "FTP proxy port", 8080);
  SetNumber(HKEY_CURRENT_USER, key, "Relocate HTTP image", 1);
  SetNumber(HKEY_CURRENT_USER, key, "Include non-HTML objects accross sites", 0);
  SetNumber(HKEY_CURRENT_USER, key, "Recursive mode", 3);
  SetString(HKEY_CURRENT_USER, key, "HTTP proxy server", "web");
  SetNumber(HKEY_CURRENT_USER, key, "Decode newsgroup posts", 1);
  SetNumber(HKEY_CURRENT_USER, key, "Posts of minimum rows to scan", 30);
  SetString(HKEY_CURRENT_USER, key, "Message-ID directory", "m");
  SetString(HKEY_CURRENT_USER, key, "NNTP proxy server", "news");
  SetNumber(HKEY_CURRENT_USER, key, "NNTP proxy port", 119);
  std::vector<std::pair<std::string, std::vector<BYTE>>> before;
  for (const std::string& name : ValueNames(HKEY_CURRENT_USER, key)) {
    DWORD type;
    std::vector<BYTE> data;
    GetRaw(HKEY_CURRENT_USER, key, name.c_str(), type, data);
    before.push_back({name, data});
  }

  LoadConfigModel(HKEY_CURRENT_USER, model);
  Open();
  Press(PSBTN_OK);
  EXPECT_EQ(nullptr, PropSheet_IndexToHwnd(hwnd, 1));  // never shown, never applied
  EXPECT_EQ(1, model.modified);
  StoreConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_TRUE(prompts.boxes.empty());

  std::vector<std::pair<std::string, std::vector<BYTE>>> after;
  for (const std::string& name : ValueNames(HKEY_CURRENT_USER, key)) {
    DWORD type;
    std::vector<BYTE> data;
    GetRaw(HKEY_CURRENT_USER, key, name.c_str(), type, data);
    after.push_back({name, data});
  }
  // The one addition: a server stored without its port gets port 0.
  before.insert(before.begin() + 5, {"HTTP proxy port", {0, 0, 0, 0}});
  EXPECT_EQ(before, after);
  EXPECT_EQ(1, model.storedSinceStart);
}

TEST_F(Sheet, CancelAppliesNothingAndStoreWritesNothing) {
  SetNumber(HKEY_CURRENT_USER, kCopierConfigKey, "Overwrite mode", 1);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  Open();
  ::SendDlgItemMessageA(Page(0), 115, CB_SETCURSEL, 3, 0);
  Press(PSBTN_CANCEL);
  EXPECT_EQ(0, model.modified);
  EXPECT_EQ(2, model.overwriteMode);
  StoreConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kCopierConfigKey, "Overwrite mode"));
  EXPECT_EQ(0, model.storedSinceStart);
}

TEST_F(Sheet, ApplyTakesChoicesChecksListsAndNumberTexts) {
  model.logPath.enabled = 1;
  model.logPath.history.append(cstring1_new("a.log"));
  model.workDirectory.history.append(cstring1_new("c:/w"));
  Open();
  HWND common = Page(0);
  ::SendDlgItemMessageA(common, 115, CB_SETCURSEL, 3, 0);
  Click(common, 103);  // uncheck the log
  Click(common, 101);  // check the work directory
  ::SetDlgItemTextA(common, 106, "");  // an emptied edit still leaves the list
  ::SetDlgItemTextA(common, 111, "123456789012");
  HWND http = Page(2);
  ::SendDlgItemMessageA(http, 106, CB_SETCURSEL, 1, 0);
  HWND nntp = Page(3);
  ::SetDlgItemTextA(nntp, 101, "");
  Type(::GetDlgItem(nntp, 101), "12abc67890");  // typing stops at the 9 characters kept
  EXPECT_EQ("12abc6789", WindowText(::GetDlgItem(nntp, 101)));
  ::SetDlgItemTextA(nntp, 101, "12abc");
  Press(PSBTN_OK);

  EXPECT_EQ(3, model.overwriteMode);
  EXPECT_EQ(0, model.logPath.enabled);
  EXPECT_EQ((std::vector<std::string>{"a.log"}), Texts(model.logPath.history));
  EXPECT_EQ(1, model.workDirectory.enabled);
  EXPECT_STREQ("123456789", model.retryCount);
  EXPECT_EQ(1, model.includeSameSite);
  EXPECT_STREQ("12abc", model.minimumRows);
  EXPECT_EQ(1, model.modified);
}

TEST_F(Sheet, TypedTextCountsOnlyOnceCommitted) {
  model.ftpProxy.history.append(cstring1_new("old:1"));
  model.dirListName.history.append(cstring1_new("a.lst"));
  Open();
  HWND ftp = Page(1);
  HWND proxy = ::GetDlgItem(ftp, 109);
  ::SetWindowTextA(proxy, " new:8080 ");
  ::SetFocus(proxy);
  ::SetFocus(::GetDlgItem(ftp, 101));  // leaving the field commits it
  PumpMessages(10);
  EXPECT_EQ((std::vector<std::string>{"new:8080", "old:1"}), Items(proxy));

  HWND dirList = ::GetDlgItem(ftp, 106);
  ::SetWindowTextA(dirList, "b.lst");
  ::SendMessageA(dirList, CB_SHOWDROPDOWN, TRUE, 0);  // opening the list commits it
  ::SendMessageA(dirList, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ((std::vector<std::string>{"b.lst", "a.lst"}), Items(dirList));

  ::SetWindowTextA(proxy, "never:1");  // still in the edit when OK comes
  Press(PSBTN_OK);
  EXPECT_EQ((std::vector<std::string>{"new:8080", "old:1"}), Texts(model.ftpProxy.history));
  EXPECT_EQ((std::vector<std::string>{"b.lst", "a.lst"}), Texts(model.dirListName.history));
}

TEST_F(Sheet, BrowseButtonsFillTheirFields) {
  Open();
  HWND common = Page(0);
  prompts.nextFile = "C:\\logs\\x.log";
  Click(common, 107);
  ASSERT_EQ(1u, prompts.fileDialogs.size());
  EXPECT_EQ("Log files (*.log)|*.log|All files (*.*)|*.*|", prompts.fileDialogs[0].filter);
  EXPECT_EQ("C:/logs/x.log", WindowText(::GetDlgItem(common, 106)));
  EXPECT_EQ((std::vector<std::string>{"C:/logs/x.log"}), Items(::GetDlgItem(common, 106)));

  prompts.nextFile.clear();  // cancelled: nothing changes
  Click(common, 107);
  EXPECT_EQ("C:/logs/x.log", WindowText(::GetDlgItem(common, 106)));
  EXPECT_EQ(1u, Items(::GetDlgItem(common, 106)).size());

  prompts.nextFolder = "C:\\windows";
  Click(common, 112);
  EXPECT_EQ("C:/windows", WindowText(::GetDlgItem(common, 113)));
  HWND nntp = Page(3);
  prompts.nextFolder = "C:\\windows\\system32";
  Click(nntp, 106);
  EXPECT_EQ("C:/windows/system32", WindowText(::GetDlgItem(nntp, 103)));
  EXPECT_EQ((std::vector<std::string>{"C:/windows/system32"}), Items(::GetDlgItem(nntp, 103)));
  EXPECT_EQ((std::vector<std::string>{"Please select a directory", "Please select a directory"}), prompts.folderTitles);
}

}  // namespace
