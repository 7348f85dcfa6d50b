// History lists against the real registry (a test key under HKEY_CURRENT_USER, removed
// afterwards) and real combo boxes in a real dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "history.h"
#include "support_test_dialog.h"

namespace {

const char kTestRoot[] = "Software\\TarnwellTests";
const char kTestKey[] = "Software\\TarnwellTests\\History";

std::vector<std::string> Texts(chain<cstring1>& list) {
  std::vector<std::string> texts;
  for (chnode<cstring1>* node = list.head; node; node = node->next) texts.push_back(cstring1_text(node->item));
  return texts;
}

void Fill(chain<cstring1>& list, const std::vector<std::string>& texts) {
  for (const std::string& t : texts) list.append(cstring1_new(t.c_str()));
}

std::vector<std::string> Numbered(const char* prefix, int n) {
  std::vector<std::string> texts;
  for (int i = 0; i < n; ++i) texts.push_back(prefix + std::to_string(i));
  return texts;
}

class History : public testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    list.clear_delete();
    if (key) ::RegCloseKey(key);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);  // only when nothing else lives there
  }

  bool HasValue(const char* name) {
    return ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  std::string GetString(const char* name) {
    char buf[64] = "";
    DWORD size = sizeof buf - 1, type = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
      return "<missing>";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::string(buf, ::strnlen(buf, size));
  }

  HKEY key = nullptr;
  chain<cstring1> list;
};

}  // namespace

// --- Registry ----------------------------------------------------------------------------

TEST_F(History, SavedListLoadsBackInOrderUnderNumberedNames) {
  Fill(list, {"ftp://a/", "http://b/", "news://c/"});
  EXPECT_EQ(save_history(key, "Remote URL", list, kHistoryLimit), 0);
  EXPECT_EQ(GetString("Remote URL 0"), "ftp://a/");
  EXPECT_EQ(GetString("Remote URL 1"), "http://b/");
  EXPECT_EQ(GetString("Remote URL 2"), "news://c/");
  EXPECT_FALSE(HasValue("Remote URL 3"));


  chain<cstring1> loaded;
  EXPECT_EQ(load_history(key, "Remote URL", loaded, kHistoryLimit), 0);
  EXPECT_EQ(Texts(loaded), (std::vector<std::string>{"ftp://a/", "http://b/", "news://c/"}));
  loaded.clear_delete();
}

TEST_F(History, LoadAppendsAfterWhatTheChainHolds) {
  Fill(list, {"one", "two"});
  ASSERT_EQ(save_history(key, "L", list, kHistoryLimit), 0);
  chain<cstring1> loaded;
  Fill(loaded, {"kept"});
  EXPECT_EQ(load_history(key, "L", loaded, kHistoryLimit), 0);
  EXPECT_EQ(Texts(loaded), (std::vector<std::string>{"kept", "one", "two"}));
  loaded.clear_delete();
}

TEST_F(History, ShorterSaveDeletesTheStaleHigherNumbers) {
  Fill(list, Numbered("old", 7));
  ASSERT_EQ(save_history(key, "Local path", list, kHistoryLimit), 0);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(HasValue(("Local path " + std::to_string(i)).c_str()));

  list.clear_delete();
  Fill(list, Numbered("new", 3));
  ASSERT_EQ(save_history(key, "Local path", list, kHistoryLimit), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(GetString(("Local path " + std::to_string(i)).c_str()), "new" + std::to_string(i));
  for (int i = 3; i < 7; ++i) EXPECT_FALSE(HasValue(("Local path " + std::to_string(i)).c_str())) << i;
}

TEST_F(History, DeletionOfStaleNumbersStopsAtTheFirstGap) {
  SetRaw("X 1", REG_SZ, "stale", 5);
  SetRaw("X 2", REG_SZ, "stale", 5);
  SetRaw("X 5", REG_SZ, "beyond", 6);
  Fill(list, {"a"});
  ASSERT_EQ(save_history(key, "X", list, kHistoryLimit), 0);
  EXPECT_EQ(GetString("X 0"), "a");
  EXPECT_FALSE(HasValue("X 1"));
  EXPECT_FALSE(HasValue("X 2"));
  EXPECT_TRUE(HasValue("X 5"));  // 3 was missing: the deletions stopped there
}

TEST_F(History, OnlyTheFirstLimitEntriesAreSaved) {
  Fill(list, Numbered("e", 12));
  ASSERT_EQ(save_history(key, "H", list, kHistoryLimit), 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GetString(("H " + std::to_string(i)).c_str()), "e" + std::to_string(i));
  EXPECT_FALSE(HasValue("H 10"));
  EXPECT_FALSE(HasValue("H 11"));
  EXPECT_EQ(list.count, 12);  // the chain itself keeps everything
}

TEST_F(History, LoadStopsAtTheLimit) {
  for (int i = 0; i < 12; ++i) SetRaw(("H " + std::to_string(i)).c_str(), REG_SZ, "v", 1);
  EXPECT_EQ(load_history(key, "H", list, kHistoryLimit), 0);
  EXPECT_EQ(list.count, 10);
}

TEST_F(History, LoadStopsAtTheFirstMissingNumber) {
  SetRaw("G 0", REG_SZ, "zero", 4);
  SetRaw("G 1", REG_SZ, "one", 3);
  SetRaw("G 3", REG_SZ, "three", 5);
  EXPECT_EQ(load_history(key, "G", list, kHistoryLimit), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"zero", "one"}));
}

TEST_F(History, MissingListLoadsNothing) {
  EXPECT_EQ(load_history(key, "Nothing here", list, kHistoryLimit), 0);
  EXPECT_EQ(list.count, 0);
}

// The fault mended: entries of 256 characters and more were lost with everything after them.
TEST_F(History, LongEntriesRoundTripWithTheEntriesAfterThem) {
  const std::string e255(255, 'a'), e256(256, 'b'), e300 = std::string(299, 'c') + "!", e10000(10000, 'd');
  Fill(list, {"first", e255, e256, e300, e10000, "last"});
  ASSERT_EQ(save_history(key, "Long", list, kHistoryLimit), 0);

  chain<cstring1> loaded;
  EXPECT_EQ(load_history(key, "Long", loaded, kHistoryLimit), 0);
  EXPECT_EQ(Texts(loaded), (std::vector<std::string>{"first", e255, e256, e300, e10000, "last"}));
  loaded.clear_delete();
}

TEST_F(History, ValuesWithoutTerminatorOrWithEmbeddedNullsLoadUpToTheFirstNull) {
  SetRaw("R 0", REG_BINARY, "abc", 3);           // no terminator at all
  SetRaw("R 1", REG_SZ, "de\0fg", 5);            // embedded null
  SetRaw("R 2", REG_BINARY, "hi\0jk", 5);
  SetRaw("R 3", REG_SZ, "", 0);                  // empty: an empty entry
  const std::string big(5000, 'z');
  SetRaw("R 4", REG_BINARY, big.data(), static_cast<DWORD>(big.size()));
  SetRaw("R 5", REG_DWORD, "\x41\x42\x00\x00", 4);  // any type is accepted
  EXPECT_EQ(load_history(key, "R", list, kHistoryLimit), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"abc", "de", "hi", "", big, "AB"}));
}

TEST_F(History, ValueThatCannotBeReadEndsTheLoadWithFailureKeepingTheEntriesBefore) {
  Fill(list, {"kept"});
  // A key opened without query access: every read is refused.
  HKEY writeOnly = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_SET_VALUE, &writeOnly), ERROR_SUCCESS);
  SetRaw("W 0", REG_SZ, "x", 1);
  EXPECT_EQ(load_history(writeOnly, "W", list, kHistoryLimit), -1);
  ::RegCloseKey(writeOnly);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"kept"}));
}

TEST_F(History, ValueThatCannotBeWrittenEndsTheSaveWithFailure) {
  SetRaw("W 0", REG_SZ, "before", 6);
  HKEY readOnly = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &readOnly), ERROR_SUCCESS);
  Fill(list, {"after"});
  EXPECT_EQ(save_history(readOnly, "W", list, kHistoryLimit), -1);
  ::RegCloseKey(readOnly);
  EXPECT_EQ(GetString("W 0"), "before");
}

TEST_F(History, EmptyChainSavesNothingAndClearsTheOldList) {
  Fill(list, {"a", "b"});
  ASSERT_EQ(save_history(key, "E", list, kHistoryLimit), 0);
  list.clear_delete();
  EXPECT_EQ(save_history(key, "E", list, kHistoryLimit), 0);
  EXPECT_FALSE(HasValue("E 0"));
  EXPECT_FALSE(HasValue("E 1"));
}

// --- push_recent ---------------------------------------------------------------------------

TEST(PushRecent, NewTextGoesToTheHeadAsACopy) {
  chain<cstring1> list;
  Fill(list, {"a", "b"});
  char text[] = "c";
  cstring1* head = push_recent(list, text);
  ASSERT_NE(head, nullptr);
  EXPECT_NE(cstring1_text(head), text);
  EXPECT_EQ(list.head->item, head);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"c", "a", "b"}));
  list.clear_delete();
}

TEST(PushRecent, TextDifferingOnlyInCaseMovesTheStoredElementInItsStoredCase) {
  chain<cstring1> list;
  Fill(list, {"a", "Mixed Case", "z"});
  cstring1* stored = list.nth(1);
  cstring1* head = push_recent(list, "MIXED case");
  EXPECT_EQ(head, stored);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"Mixed Case", "a", "z"}));
  EXPECT_EQ(push_recent(list, "mixed case"), stored);  // already at the head: stays
  EXPECT_EQ(list.count, 3);
  list.clear_delete();
}

// --- Combo boxes ---------------------------------------------------------------------------

class HistoryCombo : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(dlg.Create(), nullptr); }
  void TearDown() override { list.clear_delete(); }
  static std::pair<int, int> EditSel(const TComboBox& combo) {
    DWORD start = 99, end = 99;
    combo.Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
  }
  TSupportTestDialog dlg;
  chain<cstring1> list;
};

TEST_F(HistoryCombo, FillAddsHeadFirstShowsTheHeadAndLeavesTheChain) {
  Fill(list, {"recent", "older", "oldest"});
  list.first();
  list.next();  // a walk in progress stays where it is
  fill_combo(dlg.plain, list, true);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"recent", "older", "oldest"}));
  EXPECT_EQ(EditText(dlg.plain), "recent");
  EXPECT_EQ(EditSel(dlg.plain), std::make_pair(0, 0));
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"recent", "older", "oldest"}));
  EXPECT_EQ(list.cursor, list.head->next);
}

TEST_F(HistoryCombo, FillWithoutSetTextOrWithAnEmptyChainLeavesTheEditText) {
  dlg.plain.SetText("typed");
  Fill(list, {"x"});
  fill_combo(dlg.plain, list, false);
  EXPECT_EQ(EditText(dlg.plain), "typed");
  chain<cstring1> empty;
  fill_combo(dlg.plain, empty, true);
  EXPECT_EQ(EditText(dlg.plain), "typed");
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"x"}));
}

TEST_F(HistoryCombo, FillPutsItemsInAlphabeticalPlaceInASortedCombo) {
  Fill(list, {"m", "Z", "a"});
  fill_combo(dlg.sorted, list, true);
  EXPECT_EQ(Items(dlg.sorted), (std::vector<std::string>{"a", "m", "Z"}));
  EXPECT_EQ(EditText(dlg.sorted), "m");
}

TEST_F(HistoryCombo, FillTakeMovesTheEntriesIntoTheCombo) {
  Fill(list, {"u1", "u2", "u3"});
  fill_combo_take(dlg.plain, list, false);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"u1", "u2", "u3"}));
  EXPECT_EQ(EditText(dlg.plain), "");
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.head, nullptr);

  Fill(list, {"v"});
  fill_combo_take(dlg.plain, list, true);
  EXPECT_EQ(EditText(dlg.plain), "v");
  EXPECT_EQ(list.count, 0);
}

TEST_F(HistoryCombo, ReadReplacesTheChainWithTheItemsInOrder) {
  Fill(list, {"stale1", "stale2"});
  dlg.plain.AddString("one");
  dlg.plain.AddString("two");
  dlg.plain.AddString(std::string(1000, 'w').c_str());
  read_combo(dlg.plain, list);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"one", "two", std::string(1000, 'w')}));

  dlg.plain.Clear();
  read_combo(dlg.plain, list);
  EXPECT_EQ(list.count, 0);
}

TEST_F(HistoryCombo, FindIgnoresCaseUnlessAskedAndGivesMinusOneWhenAbsent) {
  EXPECT_EQ(find_combo_text(dlg.plain, "a", false), -1);  // empty list
  dlg.plain.AddString("Alpha");
  dlg.plain.AddString("beta");
  dlg.plain.AddString("BETA");
  EXPECT_EQ(find_combo_text(dlg.plain, "alpha", false), 0);
  EXPECT_EQ(find_combo_text(dlg.plain, "BETA", false), 1);
  EXPECT_EQ(find_combo_text(dlg.plain, "BETA", true), 2);
  EXPECT_EQ(find_combo_text(dlg.plain, "alpha", true), -1);
  EXPECT_EQ(find_combo_text(dlg.plain, "gamma", false), -1);
  EXPECT_EQ(find_combo_text(dlg.plain, "", false), -1);
}

TEST_F(HistoryCombo, AddOfANewTextInsertsTheTrimmedTextFirstAndLeavesTheEdit) {
  dlg.plain.AddString("x");
  dlg.plain.SetText(" \tnew value\r\n");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"new value", "x"}));
  EXPECT_EQ(EditText(dlg.plain), " \tnew value\r\n");
}

TEST_F(HistoryCombo, AddOfAnExistingTextMovesItFirstInTheTypedCase) {
  dlg.plain.AddString("x");
  dlg.plain.AddString("ABC");
  dlg.plain.SetText(" abc ");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"abc", "x"}));
  EXPECT_EQ(EditText(dlg.plain), "abc");
}

TEST_F(HistoryCombo, AddOfTheFirstItemChangesNothingEvenInAnotherCase) {
  dlg.plain.AddString("First");
  dlg.plain.AddString("second");
  dlg.plain.SetText("FIRST");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"First", "second"}));
  EXPECT_EQ(EditText(dlg.plain), "FIRST");
}

TEST_F(HistoryCombo, AddInASortedComboStillPutsTheTextFirst) {
  dlg.sorted.AddString("a");
  dlg.sorted.AddString("b");
  dlg.sorted.SetText("z");
  commit_combo_text(dlg.sorted, CommitMode::kAdd);
  EXPECT_EQ(Items(dlg.sorted), (std::vector<std::string>{"z", "a", "b"}));
}

TEST_F(HistoryCombo, EmptyOrBlankEditTextIsNeverCommitted) {
  dlg.plain.AddString("only");
  dlg.plain.SetText("");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  commit_combo_text(dlg.plain, CommitMode::kRemove);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"only"}));
  dlg.plain.SetText(" \t ");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"only"}));
}

TEST_F(HistoryCombo, RemoveShowsTheItemThatTookThePlace) {
  for (const char* s : {"a", "b", "c"}) dlg.plain.AddString(s);
  dlg.plain.SetText("B");
  commit_combo_text(dlg.plain, CommitMode::kRemove);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(EditText(dlg.plain), "c");
}

TEST_F(HistoryCombo, RemovingTheLastItemShowsTheNewLastItem) {
  for (const char* s : {"a", "b", "c"}) dlg.plain.AddString(s);
  dlg.plain.SetText(" c ");
  commit_combo_text(dlg.plain, CommitMode::kRemove);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(EditText(dlg.plain), "b");
}

TEST_F(HistoryCombo, RemovingTheOnlyItemOrAnUnknownTextClearsTheEdit) {
  dlg.plain.AddString("only");
  dlg.plain.SetText("only");
  commit_combo_text(dlg.plain, CommitMode::kRemove);
  EXPECT_EQ(dlg.plain.GetCount(), 0);
  EXPECT_EQ(EditText(dlg.plain), "");

  dlg.plain.AddString("kept");
  dlg.plain.SetText("unknown");
  commit_combo_text(dlg.plain, CommitMode::kRemove);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"kept"}));
  EXPECT_EQ(EditText(dlg.plain), "");
}

TEST_F(HistoryCombo, ListRoundTripsThroughComboAndRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string longEntry(600, 'q');
  Fill(list, {"one", longEntry, "three"});
  fill_combo_take(dlg.plain, list, false);
  dlg.plain.SetText("three");
  commit_combo_text(dlg.plain, CommitMode::kAdd);
  read_combo(dlg.plain, list);
  EXPECT_EQ(save_history(key, "RT", list, kHistoryLimit), 0);
  chain<cstring1> loaded;
  EXPECT_EQ(load_history(key, "RT", loaded, kHistoryLimit), 0);
  EXPECT_EQ(Texts(loaded), (std::vector<std::string>{"three", "one", longEntry}));
  loaded.clear_delete();
  ::RegCloseKey(key);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
}
