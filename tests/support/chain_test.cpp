#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chain.h"
#include "cstring1.h"
#include "nocase.h"

namespace {

// Elements for walk tests: distinct char arrays, identified by their text.
struct Letters {
  char a[2] = "a";
  char b[2] = "b";
  char c[2] = "c";
  char d[2] = "d";
};

std::string walk_forward(chain<char>& list) {
  std::string seen;
  for (char* e = list.first(); e; e = list.next()) seen += e;
  return seen;
}

std::string walk_backward(chain<char>& list) {
  std::string seen;
  for (char* e = list.last(); e; e = list.next()) seen += e;
  return seen;
}

char* new_text(const char* text) {
  char* copy = new char[std::strlen(text) + 1];
  std::strcpy(copy, text);
  return copy;
}

TEST(Chain, EmptyChainAnswersNullAndStaysIdle) {
  chain<char> list;
  char key[] = "x";
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.direction, 0);
  EXPECT_EQ(list.find(key), nullptr);
  EXPECT_EQ(list.remove(key), nullptr);
  EXPECT_EQ(list.first(), nullptr);
  EXPECT_EQ(list.last(), nullptr);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.seek(key), nullptr);
  EXPECT_EQ(list.seek(nullptr), nullptr);
  EXPECT_EQ(list.nth(0), nullptr);
  EXPECT_EQ(list.pop_first(), nullptr);
  EXPECT_EQ(list.to_array(), nullptr);
  EXPECT_EQ(list.direction, 0);
  list.clear();
  list.clear_delete();
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.direction, 0);
}

TEST(Chain, AppendAndPrependKeepLinksConsistentBothWays) {
  Letters l;
  chain<char> list;
  EXPECT_EQ(list.append(l.b), l.b);
  EXPECT_EQ(list.append(l.c), l.c);
  EXPECT_EQ(list.prepend(l.a), l.a);
  EXPECT_EQ(list.append(l.d), l.d);
  EXPECT_EQ(list.count, 4);
  EXPECT_EQ(list.direction, 0) << "adding must not start a walk";
  EXPECT_EQ(walk_forward(list), "abcd");
  EXPECT_EQ(walk_backward(list), "dcba");
  EXPECT_EQ(list.head->prev, nullptr);
  EXPECT_EQ(list.tail->next, nullptr);
}

TEST(Chain, NullElementIsRefused) {
  chain<char> list;
  EXPECT_EQ(list.append(nullptr), nullptr);
  EXPECT_EQ(list.prepend(nullptr), nullptr);
  EXPECT_EQ(list.count, 0);
}

TEST(Chain, WalkEndIsStickyUntilRestarted) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);

  EXPECT_EQ(list.first(), l.a);
  EXPECT_EQ(list.next(), l.b);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.direction, 1);
  EXPECT_EQ(list.first(), l.a);

  EXPECT_EQ(list.last(), l.b);
  EXPECT_EQ(list.next(), l.a);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.direction, -1);
}

TEST(Chain, NextWhileIdleStartsForwardWalk) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  EXPECT_EQ(list.next(), l.a);
  EXPECT_EQ(list.direction, 1);
  EXPECT_EQ(list.next(), l.b);
}

TEST(Chain, SeekThenStepToNeighbourInEitherDirection) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.append(l.c);

  // The message window's step: set the direction, seek the current
  // element, take next; at an end it starts again from the other end.
  list.direction = -1;
  EXPECT_EQ(list.seek(l.b), l.b);
  EXPECT_EQ(list.next(), l.a);

  list.direction = -1;
  EXPECT_EQ(list.seek(l.a), l.a);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.last(), l.c);

  list.direction = 1;
  EXPECT_EQ(list.seek(l.b), l.b);
  EXPECT_EQ(list.next(), l.c);
  EXPECT_EQ(list.next(), nullptr);
}

TEST(Chain, SeekMatchesIdentityNotEquality) {
  Letters l;
  char other_b[] = "b";
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.first();
  EXPECT_EQ(list.seek(other_b), l.a) << "an equal but foreign pointer leaves the cursor";
  EXPECT_EQ(list.next(), l.b);
}

TEST(Chain, SeekNullGoesToTheEndTheWalkStartsFrom) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.append(l.c);

  list.direction = 1;
  EXPECT_EQ(list.seek(nullptr), l.a);
  EXPECT_EQ(list.next(), l.b);
  list.direction = -1;
  EXPECT_EQ(list.seek(nullptr), l.c);
  EXPECT_EQ(list.next(), l.b);
  list.direction = 0;
  EXPECT_EQ(list.seek(nullptr), nullptr);
}

TEST(Chain, RemovingOnlyElementMakesChainIdle) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.first();
  EXPECT_EQ(list.remove(l.a), l.a);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.direction, 0);
  EXPECT_EQ(list.next(), nullptr);
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.tail, nullptr);
}

TEST(Chain, RemoveRelinksHeadMiddleAndTail) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.append(l.c);
  list.append(l.d);

  char key_b[] = "b";
  EXPECT_EQ(list.remove(key_b), l.b) << "found by equality, the stored pointer comes back";
  EXPECT_EQ(walk_forward(list), "acd");
  EXPECT_EQ(walk_backward(list), "dca");
  EXPECT_EQ(list.remove(l.a), l.a);
  EXPECT_EQ(list.remove(l.d), l.d);
  EXPECT_EQ(walk_forward(list), "c");
  EXPECT_EQ(walk_backward(list), "c");
  EXPECT_EQ(list.count, 1);

  char missing[] = "z";
  EXPECT_EQ(list.remove(missing), nullptr);
  EXPECT_EQ(list.find(missing), nullptr);
  EXPECT_EQ(list.count, 1);
}

TEST(Chain, RemovingCurrentElementDuringWalkContinuesWithItsSuccessor) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.append(l.c);
  list.append(l.d);

  // Forward: drop every element as it is visited, head first.
  std::string seen;
  for (char* e = list.first(); e; e = list.next()) {
    seen += e;
    if (e == l.a || e == l.c) list.remove(e);
  }
  EXPECT_EQ(seen, "abcd");
  EXPECT_EQ(walk_forward(list), "bd");

  // Backward, removing the tail under the cursor.
  seen.clear();
  for (char* e = list.last(); e; e = list.next()) {
    seen += e;
    list.remove(e);
  }
  EXPECT_EQ(seen, "db");
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.direction, 0);
}

TEST(Chain, PopFirstTakesHeadUntilEmpty) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.first();
  EXPECT_EQ(list.pop_first(), l.a) << "popping the cursor's node is safe";
  EXPECT_EQ(list.next(), l.b);
  EXPECT_EQ(list.head->prev, nullptr);
  EXPECT_EQ(list.pop_first(), l.b);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.direction, 0);
  EXPECT_EQ(list.tail, nullptr);
  EXPECT_EQ(list.pop_first(), nullptr);
}

TEST(Chain, NthCountsFromHeadAndRejectsOutOfRange) {
  Letters l;
  chain<char> list;
  list.append(l.a);
  list.append(l.b);
  list.append(l.c);
  EXPECT_EQ(list.nth(0), l.a);
  EXPECT_EQ(list.nth(2), l.c);
  EXPECT_EQ(list.nth(3), nullptr);
  EXPECT_EQ(list.nth(-1), nullptr);
}

TEST(Chain, ToArrayListsElementsHeadFirst) {
  Letters l;
  chain<char> list;
  list.append(l.b);
  list.append(l.c);
  list.prepend(l.a);
  char** array = list.to_array();
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array[0], l.a);
  EXPECT_EQ(array[1], l.b);
  EXPECT_EQ(array[2], l.c);
  delete[] array;
}

TEST(Chain, ClearLeavesElementsClearDeleteFreesThem) {
  char* kept = new_text("kept");
  {
    chain<char> list;
    list.append(kept);
    list.first();
    list.clear();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.direction, 0);
    EXPECT_EQ(list.next(), nullptr);

    list.append(kept);
  }  // destructor frees the node only
  EXPECT_STREQ(kept, "kept");
  delete[] kept;

  // Strings are freed with delete[]; the sanitizer build flags a mismatch
  // or a leak here.
  chain<char> owned;
  owned.append(new_text("one"));
  owned.append(new_text("two"));
  owned.clear_delete();
  EXPECT_EQ(owned.count, 0);
}

// ---- History lists ---------------------------------------------------------

TEST(CString1, HelpersRoundTripTheText) {
  cstring1* s = cstring1_new("Remote URL");
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(cstring1_text(s), "Remote URL");
  cstring1_free(s);

  cstring1* part = cstring1_new_n("abcdef", 3);
  EXPECT_STREQ(cstring1_text(part), "abc");
  cstring1_free(part);

  cstring1* adopted = cstring1_adopt(new_text("taken"));
  EXPECT_STREQ(cstring1_text(adopted), "taken");
  cstring1_free(adopted);
}

TEST(CString1, FindIgnoresCaseAndReturnsStoredText) {
  chain<cstring1> history;
  history.append(cstring1_new("ftp://Host/Pub"));
  history.append(cstring1_new("http://example/"));

  cstring1* hit = history.find(cstring1_key("FTP://HOST/PUB"));
  ASSERT_NE(hit, nullptr);
  EXPECT_STREQ(cstring1_text(hit), "ftp://Host/Pub");
  EXPECT_EQ(history.find(cstring1_key("ftp://host/pub/")), nullptr);

  cstring1* gone = history.remove(cstring1_key("HTTP://EXAMPLE/"));
  ASSERT_NE(gone, nullptr);
  EXPECT_STREQ(cstring1_text(gone), "http://example/");
  cstring1_free(gone);
  EXPECT_EQ(history.count, 1);

  history.clear_delete();
}

TEST(CString1, CompareNocaseFoldsOnlyLetterCase) {
  EXPECT_EQ(compare_nocase("Local Path", "lOCAL pATH"), 0);
  EXPECT_NE(compare_nocase("abc", "abd"), 0);
  EXPECT_NE(compare_nocase("abc", "ab"), 0);
  EXPECT_NE(compare_nocase("", "a"), 0);
  EXPECT_EQ(compare_nocase("", ""), 0);
  EXPECT_LT(compare_nocase("a", "B"), 0);
}

}  // namespace
