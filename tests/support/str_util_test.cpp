#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "../common/code_page.h"
#include "chain.h"
#include "decimal.h"
#include "heap_text.h"
#include "str_util.h"

namespace {

// Exact-size heap copy, so that the sanitizer build catches any write or
// read past the terminator.
std::unique_ptr<char[]> heap(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new char[size]);
  std::memcpy(copy.get(), text, size);
  return copy;
}

std::string slashes(const char* path) {
  auto buffer = heap(path);
  return to_forward_slashes(buffer.get());
}

std::string stripped(const char* path) {
  auto buffer = heap(path);
  return strip_last_component(buffer.get());
}

std::string trimmed(const char* text) {
  auto buffer = heap(text);
  return trim(buffer.get());
}

std::size_t root_length(const char* path) {
  auto buffer = heap(path);
  return static_cast<std::size_t>(path_root_end(buffer.get()) - buffer.get());
}

// Big5 characters whose trail byte is the backslash code.
#define BIG5_XU "\xB3\x5C"    // 許
#define BIG5_GONG "\xA5\x5C"  // 功

// ---- Paths -----------------------------------------------------------------

TEST(PathRoot, DriveNetworkAndNone) {
  EXPECT_EQ(root_length("C:\\data\\in"), 2u);
  EXPECT_EQ(root_length("c:"), 2u);
  EXPECT_EQ(root_length("\\\\server\\share\\dir\\f"), 14u);
  EXPECT_EQ(root_length("//server/share/dir"), 14u);
  EXPECT_EQ(root_length("\\/server\\share"), 14u) << "mixed separators, no tail";
  EXPECT_EQ(root_length("\\\\server"), 8u) << "no share: the whole path";
  EXPECT_EQ(root_length("\\\\server\\"), 9u);
  EXPECT_EQ(root_length("\\\\"), 2u);
  EXPECT_EQ(root_length("\\dir\\f"), 0u);
  EXPECT_EQ(root_length("dir\\f"), 0u);
  EXPECT_EQ(root_length("d"), 0u);
  EXPECT_EQ(root_length(""), 0u);
}

TEST(PathRoot, ShareNameWithBig5TrailBackslashIsOneCharacter) {
  ON_CODE_PAGE(950);
  EXPECT_EQ(root_length("\\\\srv\\" BIG5_XU "\\dir"), 8u);
  EXPECT_EQ(root_length("\\\\" BIG5_GONG "\\share\\dir"), 10u);
}

// The pair rule follows the code page's lead bytes; any byte may follow a lead byte.
TEST(DbcsPair, Big5LeadBytes) {
  ON_CODE_PAGE(950);
  EXPECT_TRUE(is_dbcs_pair("\x81\x40"));
  EXPECT_TRUE(is_dbcs_pair("\xFE\x7E"));
  EXPECT_TRUE(is_dbcs_pair(BIG5_XU));
  EXPECT_TRUE(is_dbcs_pair("\xA4/")) << "the trail byte is not checked, as the platform does not";
  EXPECT_FALSE(is_dbcs_pair("\x80\x40")) << "below the lead range";
  EXPECT_FALSE(is_dbcs_pair("\xFF\x40")) << "above the lead range";
  EXPECT_FALSE(is_dbcs_pair("\\\\"));
  EXPECT_FALSE(is_dbcs_pair(""));
  auto lone_lead = heap("\xA4");
  EXPECT_FALSE(is_dbcs_pair(lone_lead.get())) << "a lead before the terminator";
}

TEST(DbcsPair, ShiftJisLeadBytes) {
  ON_CODE_PAGE(932);
  EXPECT_TRUE(is_dbcs_pair("\x83\x5C")) << "Shift-JIS katakana so";
  EXPECT_TRUE(is_dbcs_pair("\xE0\x5C"));
  EXPECT_FALSE(is_dbcs_pair("\xB1\x5C")) << "a half-width katakana is one byte";
  EXPECT_FALSE(is_dbcs_pair("\xFD\x5C"));
}

TEST(DbcsPair, NoneOnCodePage1252) {
  ON_CODE_PAGE(1252);
  EXPECT_FALSE(is_dbcs_pair("\xE9\\")) << "an accented letter is one character";
  EXPECT_FALSE(is_dbcs_pair(BIG5_XU));
}

TEST(ForwardSlashes, ConvertAfterTheRootOnly) {
  EXPECT_EQ(slashes("C:\\data\\in"), "C:/data/in");
  EXPECT_EQ(slashes("\\\\server\\share\\dir\\f"), "\\\\server\\share/dir/f");
  EXPECT_EQ(slashes("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(slashes("dir\\sub\\f"), "dir/sub/f") << "no root: from the first character";
  EXPECT_EQ(slashes("\\dir\\f"), "/dir/f");
  EXPECT_EQ(slashes(""), "");
}

TEST(ForwardSlashes, Big5TrailByteIsNotASeparator) {
  ON_CODE_PAGE(950);
  EXPECT_EQ(slashes("C:\\" BIG5_XU "\\" BIG5_GONG "\\f"), "C:/" BIG5_XU "/" BIG5_GONG "/f");
  EXPECT_EQ(slashes("\\\\srv\\" BIG5_XU "\\d\\f"), "\\\\srv\\" BIG5_XU "/d/f");
  EXPECT_EQ(slashes("a\\\xA4"), "a/\xA4") << "a lead byte at the end stays put";
}

TEST(StripLastComponent, KeepsTheRoot) {
  EXPECT_EQ(stripped("C:\\prog\\tool.exe"), "C:\\prog");
  EXPECT_EQ(stripped("C:\\tool.exe"), "C:");
  EXPECT_EQ(stripped("C:tool.exe"), "C:");
  EXPECT_EQ(stripped("tool.exe"), "");
  EXPECT_EQ(stripped("C:/prog/sub/tool.exe"), "C:/prog/sub");
  EXPECT_EQ(stripped("\\\\srv\\share\\tool.exe"), "\\\\srv\\share");
  EXPECT_EQ(stripped("\\\\srv\\share"), "\\\\srv\\share");
  EXPECT_EQ(stripped(""), "");
}

TEST(StripLastComponent, Big5TrailByteIsNotASeparator) {
  ON_CODE_PAGE(950);
  EXPECT_EQ(stripped("C:\\" BIG5_XU "\\tool.exe"), "C:\\" BIG5_XU);
  EXPECT_EQ(stripped("C:\\dir\\" BIG5_XU), "C:\\dir");
  EXPECT_EQ(stripped("C:\\" BIG5_GONG), "C:");
}

// A program in a folder whose name ends in an accented letter starts in that folder.
TEST(StripLastComponent, AccentedLetterBeforeASeparatorIsOneCharacterOnCodePage1252) {
  ON_CODE_PAGE(1252);
  EXPECT_EQ(stripped("C:\\Outils caf\xE9\\tarncmd.exe"), "C:\\Outils caf\xE9");
  EXPECT_EQ(stripped("C:\\caf\xE9\\\xC0\\f"), "C:\\caf\xE9\\\xC0");
  EXPECT_EQ(slashes("C:\\caf\xE9\\d\xFC\\f"), "C:/caf\xE9/d\xFC/f");
}

// ---- Strings ---------------------------------------------------------------

TEST(Trim, RemovesBlanksTabsAndLineEndsAtBothEnds) {
  EXPECT_EQ(trimmed(" \tsome text\r\n"), "some text");
  EXPECT_EQ(trimmed("inner  blanks stay"), "inner  blanks stay");
  EXPECT_EQ(trimmed(""), "");
  EXPECT_EQ(trimmed(" \t\r\n "), "");
  EXPECT_EQ(trimmed("x"), "x");
  EXPECT_EQ(trimmed("\vx\f"), "\vx\f") << "only blank, tab, CR and LF are trimmed";
}

TEST(CopyN, CopiesAtMostMaxAndTerminates) {
  char dst[8];
  std::memset(dst, '#', sizeof dst);
  EXPECT_EQ(copy_n(dst, "abc", 100), dst);
  EXPECT_STREQ(dst, "abc");
  EXPECT_EQ(dst[4], '#') << "no padding";

  EXPECT_STREQ(copy_n(dst, "abcdef", 3), "abc");
  EXPECT_STREQ(copy_n(dst, "abc", 0), "");
  EXPECT_STREQ(copy_n(dst, "abc", static_cast<std::size_t>(-1)), "abc");
}

TEST(CopyN, ReadsNoFurtherThanItCopies) {
  // Source without a terminator: only max bytes may be touched.
  std::unique_ptr<char[]> src(new char[3]);
  std::memcpy(src.get(), "xyz", 3);
  char dst[4];
  EXPECT_STREQ(copy_n(dst, src.get(), 3), "xyz");
}

TEST(DupN, AllocatesExactlyLengthPlusOne) {
  std::unique_ptr<char[]> part(dup_n("abcdef", 4));
  EXPECT_STREQ(part.get(), "abcd");
  std::unique_ptr<char[]> empty(dup_n("abc", 0));
  EXPECT_STREQ(empty.get(), "");
  std::unique_ptr<char[]> src(new char[2]{'h', 'i'});
  std::unique_ptr<char[]> whole(dup_n(src.get(), 2));
  EXPECT_STREQ(whole.get(), "hi");
}

TEST(ReadDecimal, LikeAtoiWithoutOverflow) {
  EXPECT_EQ(12, read_decimal("12abc"));
  EXPECT_EQ(0, read_decimal("abc"));
  EXPECT_EQ(-7, read_decimal(" \t-7"));
  EXPECT_EQ(2147483647, read_decimal("99999999999"));
  EXPECT_EQ(-2147483647 - 1, read_decimal("-99999999999"));
}

TEST(Scans, ReturnTheTerminatorWhenNothingMatches) {
  const char* text = "  \tvalue: x";
  EXPECT_EQ(skip_chars(text, " \t"), text + 3);
  EXPECT_EQ(skip_chars(text, ""), text);
  const char* blanks = " \t ";
  EXPECT_EQ(skip_chars(blanks, " \t"), blanks + 3);

  EXPECT_EQ(find_chars(text, ":x"), text + 8);
  EXPECT_EQ(find_chars(text, "#@"), text + std::strlen(text));
  EXPECT_EQ(find_chars(text, ""), text + std::strlen(text));

  EXPECT_EQ(find_char(text, 'x'), text + 10);
  EXPECT_EQ(find_char(text, 'q'), text + std::strlen(text));
  EXPECT_EQ(find_char(text, '\0'), text + std::strlen(text));

  char editable[] = "a\r\nb";
  char* eol = find_chars(editable, "\r\n");
  *eol = '\0';
  EXPECT_STREQ(editable, "a");
}

TEST(Scans, DoNotStepOverDoubleByteCharacters) {
  const char* path = BIG5_XU "x";
  EXPECT_EQ(find_char(path, '\\'), path + 1);
}

TEST(FormatAlloc, ResultIsExactlyAsLongAsTheText) {
  std::unique_ptr<char[]> quoted(format_alloc("\"%s\" ", "c:/my files"));
  ASSERT_NE(quoted, nullptr);
  EXPECT_STREQ(quoted.get(), "\"c:/my files\" ");

  std::unique_ptr<char[]> sw(format_alloc("-retry=%s", "5"));
  EXPECT_STREQ(sw.get(), "-retry=5");

  std::unique_ptr<char[]> empty(format_alloc("%s", ""));
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty.get(), "");

  const std::string long_text(5000, 'u');
  std::unique_ptr<char[]> big(format_alloc("%s|%d", long_text.c_str(), 42));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(std::string(big.get()), long_text + "|42");
}

TEST(JoinStrings, ConcatenatesInChainOrder) {
  chain<char> pieces;
  pieces.append(format_alloc("%s ", "tarnget.exe"));
  pieces.append(format_alloc("\"%s\" ", "c:/my files"));
  std::unique_ptr<char[]> joined(join_strings(pieces));
  ASSERT_NE(joined, nullptr);
  EXPECT_STREQ(joined.get(), "tarnget.exe \"c:/my files\" ");
  pieces.clear_delete();
}

TEST(JoinStrings, EmptyChainOrEmptyPiecesGiveEmptyString) {
  chain<char> pieces;
  std::unique_ptr<char[]> none(join_strings(pieces));
  ASSERT_NE(none, nullptr);
  EXPECT_STREQ(none.get(), "");

  pieces.append(dup_n("", 0));
  pieces.append(dup_n("", 0));
  std::unique_ptr<char[]> blanks(join_strings(pieces));
  ASSERT_NE(blanks, nullptr);
  EXPECT_STREQ(blanks.get(), "");
  pieces.clear_delete();
}

TEST(JoinStrings, LeavesTheWalkAlone) {
  char a[] = "a";
  char b[] = "b";
  chain<char> pieces;
  pieces.append(a);
  pieces.append(b);
  EXPECT_EQ(pieces.first(), a);
  std::unique_ptr<char[]> joined(join_strings(pieces));
  EXPECT_STREQ(joined.get(), "ab");
  EXPECT_EQ(pieces.next(), b);
}

// Text handed to a list is the list's from then on; a null one is refused. (The sanitizer
// build sees a refused or dropped text that is not freed.)
TEST(AppendText, TheListOwnsWhatItTakesAndRefusesNull) {
  chain<char> list;
  EXPECT_TRUE(append_text(list, std::unique_ptr<char[]>(dup_n("ab", 2))));
  EXPECT_FALSE(append_text(list, nullptr));
  ASSERT_EQ(list.count, 1);
  EXPECT_STREQ(list.nth(0), "ab");
  list.clear_delete();
}

}  // namespace
