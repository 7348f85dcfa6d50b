#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "task_output.h"

namespace {

using Strings = std::vector<std::string>;

Strings Messages(const TaskOutput& out) {
  Strings lines;
  for (const chnode<char>* n = out.messages.head; n; n = n->next) lines.push_back(n->item);
  return lines;
}

void Feed(TaskOutput& out, const std::string& bytes) {
  out.Take(bytes.data(), bytes.size());
}

Strings MessagesOf(const std::string& bytes) {
  TaskOutput out;
  Feed(out, bytes);
  return Messages(out);
}

TEST(TaskOutput, MarkedLinesAndTheirCodes) {
  TaskOutput out;
  Feed(out, "@ Connected\nC: 220 ready\nS:USER anonymous\n~ 50% done\nHello\n\n! careful\n* failed\n");
  EXPECT_EQ(Messages(out), (Strings{"0Connected", "3220 ready", "4USER anonymous", "1careful", "2failed"}));
  EXPECT_STREQ(out.progressText, "550% done");
  EXPECT_EQ(out.progressPending, 0) << "ordinary lines followed the progress line";
  EXPECT_EQ(out.lineLength, 0);
}

TEST(TaskOutput, MarkerAloneOrWithOneCharacter) {
  EXPECT_EQ(MessagesOf("@\n!x\nC:\nS  \n"), (Strings{"", "1", "3", "4"}));
  // The blank that follows a lone marker's line end belongs to no line; it must not be taken as
  // the blank after the marker's next character.
  EXPECT_EQ(MessagesOf("@\n @x\n"), (Strings{"", "0"}));
  TaskOutput out;
  Feed(out, "@ a\n~\n");
  EXPECT_STREQ(out.progressText, "");
  EXPECT_EQ(out.progressPending, 1);
}

TEST(TaskOutput, LineEndsAndBlanksAfterThem) {
  EXPECT_EQ(MessagesOf("@ a\r@ b\r\n@ c\n\r\n   \r @ d\n"), (Strings{"0a", "0b", "0c", "0d"}));
  EXPECT_EQ(MessagesOf("  @ lead\n\t@ tab\n"), Strings{}) << "blanks before the first line are not after a line end";
}

TEST(TaskOutput, LineArrivingInPieces) {
  TaskOutput out;
  Feed(out, "@ abc");
  EXPECT_TRUE(Messages(out).empty());
  EXPECT_EQ(out.lineLength, 5);
  EXPECT_STREQ(out.lineBuffer, "@ abc");
  Feed(out, "def\r");
  Feed(out, "\n");
  Feed(out, "   ");
  Feed(out, "@ next\n");
  EXPECT_EQ(Messages(out), (Strings{"0abcdef", "0next"}));
}

TEST(TaskOutput, ProgressPendingFollowsTheLastLine) {
  TaskOutput out;
  Feed(out, "@ a\n~ 10%\n");
  EXPECT_EQ(out.progressPending, 1);
  out.progressPending = 0;  // shown
  Feed(out, "~ 20%\n");
  EXPECT_EQ(out.progressPending, 1);
  EXPECT_STREQ(out.progressText, "520%");
  EXPECT_EQ(Messages(out), Strings{"0a"});
}

TEST(TaskOutput, NulBytesAreDroppedNotTruncating) {
  TaskOutput out;
  Feed(out, std::string("@ ab\0cd\n\0@ e\0", 14));
  Feed(out, std::string("\0f\n", 3));
  EXPECT_EQ(Messages(out), (Strings{"0abcd", "0ef"}));
}

TEST(TaskOutput, LongLinesKeepTheirStartAndDropTheRest) {
  TaskOutput out;
  Feed(out, "@ " + std::string(598, 'x') + "\n");
  Feed(out, "C " + std::string(600, 'y'));
  EXPECT_EQ(out.lineLength, 511);
  Feed(out, "@ fake, part of the long line\n@ next\n");
  const Strings lines = Messages(out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "0" + std::string(509, 'x'));
  EXPECT_EQ(lines[1], "3" + std::string(509, 'y'));
  EXPECT_EQ(lines[2], "0next");

  Feed(out, "~ " + std::string(200, '9') + "\n");
  EXPECT_EQ(std::string(out.progressText), "5" + std::string(78, '9'));
}

// A stream of the bytes that matter to the splitter, with long runs now and then.
std::string RandomStream(std::mt19937& random) {
  static const char kBytes[] = {'@', '!', '*', 'C', 'S', '~', ' ', ' ', '\r', '\n', '\0', 'x', ':', '\t'};
  std::string s;
  const int pieces = static_cast<int>(random() % 60);
  for (int i = 0; i < pieces; ++i) {
    if (random() % 10 == 0)
      s.append(random() % 700, static_cast<char>('a' + random() % 3));
    else
      s += kBytes[random() % sizeof kBytes];
  }
  return s;
}

TEST(TaskOutput, SameResultForAnyChunking) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    const std::string stream = RandomStream(random);
    TaskOutput whole, bytes, chunks;
    Feed(whole, stream);
    for (char c : stream) bytes.Take(&c, 1);
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t n = std::min<std::size_t>(stream.size() - at, random() % 40);
      chunks.Take(stream.data() + at, n);
      at += n;
    }
    for (const TaskOutput* other : {&bytes, &chunks}) {
      ASSERT_EQ(Messages(*other), Messages(whole)) << "round " << round;
      ASSERT_STREQ(other->progressText, whole.progressText) << "round " << round;
      ASSERT_EQ(other->progressPending, whole.progressPending) << "round " << round;
      ASSERT_EQ(other->lineLength, whole.lineLength) << "round " << round;
    }
    for (const std::string& line : Messages(whole)) ASSERT_LE(line.size(), 510u);
  }
}

}  // namespace
