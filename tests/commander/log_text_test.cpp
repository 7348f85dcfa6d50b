// The log text that leaves the message window, and the file name offered for it.
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "log_text.h"

namespace {

std::string LogOf(const char* output, bool withProgress) {
  TaskOutput task;
  task.Take(output, std::strlen(output));
  std::unique_ptr<char[]> text(ComposeLogText(task, withProgress));
  return text ? text.get() : "(null)";
}

std::string NameFor(const char* commandLine, std::size_t size = 260) {
  std::unique_ptr<char[]> name(new char[size]);
  LogFileName(commandLine, name.get(), size);
  return name.get();
}

TEST(LogText, LinesWithoutTheirCodesEachEndingCrLfAndTheProgressLineLastWhenShown) {
  // "@" alone stores an empty line; "C" and one character store the code alone.
  const char* output = "@ Connected\nC: 220 ready\n@\nS:\n~ 50% done\n";
  EXPECT_EQ("Connected\r\n220 ready\r\n\r\n\r\n", LogOf(output, false));
  EXPECT_EQ("Connected\r\n220 ready\r\n\r\n\r\n50% done\r\n", LogOf(output, true));
  EXPECT_EQ("", LogOf("", false));
}

TEST(LogText, FileNameIsTheUrlsLastPathPartWithLogOrTheCopiersName) {
  struct Case {
    const char* commandLine;
    const char* name;
  } cases[] = {
      {"tarnget.exe ftp://host/pub/file.zip c:/files ", "file.zip.log"},
      {"tarnget.exe \"http://host/my file.txt\" c:/ ", "my file.txt.log"},
      {"tarnget.exe http://host/cgi/get.cgi?name=a/b#top c:/ ", "get.cgi.log"},
      {"tarnget.exe http://host/pub/ c:/ ", "tarnget.log"},
      {"tarnget.exe ftp://host c:/ ", "tarnget.log"},
      {"tarnget.exe \"\" c:/ ", "tarnget.log"},
      {"tarnget.exe", "tarnget.log"},
      {"tarnget.exe http://host/a:b*c ", "a_b_c.log"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.name, NameFor(c.commandLine)) << c.commandLine;
  // A long last part is cut so that the name and ".log" fit.
  EXPECT_EQ("abcdefghijk.log", NameFor("tarnget.exe ftp://h/abcdefghijklmnop ", 16));
}

}  // namespace
