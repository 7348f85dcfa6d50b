// "&Go!" on the real main window: the checks before anything starts, and what reaches the
// copier when a task does start.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_test.h"
#include "resource.h"
#include "task_test_support.h"

namespace {

class Go : public TaskWindowTest {
protected:
  void SetUp() override {
    TaskWindowTest::SetUp();
    recordPath = TempFilePath("rec");
    ::DeleteFileA(recordPath.c_str());
    script.reset(new CopierScript(kEndsOk));
  }
  void TearDown() override {
    TaskWindowTest::TearDown();
    ::DeleteFileA(recordPath.c_str());
  }
  // Clicks "&Go!" with these field texts; the copier records how it was started.
  void ClickGo(const std::string& url, const std::string& local) {
    ScopedEnv record("TARNGET_RECORD", recordPath);
    ScopedEnv steer("TARNGET_SCRIPT", script->Path());
    window->urlBox.SetText(url.c_str());
    window->localBox.SetText(local.c_str());
    Click(window->Handle(), IDC_GO);
  }
  std::vector<std::string> Argv() {
    const auto records = ReadCopierRecords(recordPath);
    if (records.size() != 1) return {};
    return std::vector<std::string>(records[0].begin() + 1, records[0].end());
  }

  std::string recordPath;
  std::unique_ptr<CopierScript> script;
};

TEST_F(Go, EmptyUrlOrUnknownSchemeTellsWhyAndStartsNothing) {
  ScriptedPrompts prompts;
  ClickGo("", "c:/files");
  ClickGo("gopher://host/", "c:/files");
  // The scheme is taken before any trimming, blank and all.
  ClickGo(" ftp://host/", "c:/files");
  ASSERT_EQ(3u, prompts.boxes.size());
  EXPECT_EQ("Remote URL not given", prompts.boxes[0].text);
  EXPECT_EQ("Unknown protocol \"gopher\"", prompts.boxes[1].text);
  EXPECT_EQ("Unknown protocol \" ftp\"", prompts.boxes[2].text);
  for (const auto& box : prompts.boxes) {
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONHAND), box.type);
    EXPECT_EQ(window->Handle(), box.owner);
  }
  EXPECT_EQ(0, Rows());
  EXPECT_EQ(0, window->taskChain.count);
  EXPECT_TRUE(ReadCopierRecords(recordPath).empty());
  EXPECT_EQ(" ftp://host/", WindowText(window->urlBox.Handle()));
}

TEST_F(Go, StartsTheCopierWithTheFieldsAndEmptiesOnlyTheUrl) {
  ScriptedPrompts prompts;
  state.options.overwriteMode.selection = 1;  // "-o?"
  ClickGo("ftp://host/pub", "c:/my files");
  EXPECT_TRUE(prompts.boxes.empty());
  ASSERT_EQ(1, Rows());
  EXPECT_EQ("Active", Status(0));
  EXPECT_EQ("", WindowText(window->urlBox.Handle()));
  EXPECT_EQ("c:/my files", WindowText(window->localBox.Handle()));
  EXPECT_EQ("ftp://host/pub \"c:/my files\" -o? ", ColumnText(0, 1));
  EXPECT_STREQ("tarnget.exe ftp://host/pub \"c:/my files\" -o? ", Task(0)->commandLine.get());
  ASSERT_EQ("Ok", WaitForEnd(0));
  EXPECT_EQ((std::vector<std::string>{"tarnget.exe", "ftp://host/pub", "c:/my files", "-o?"}), Argv());
}

TEST_F(Go, UncheckedBoxesDecideTheConfigSwitchAndTheOptions) {
  state.options.overwriteMode.selection = 1;
  window->useOptionsBox.SetCheck(BST_UNCHECKED);
  window->useConfigBox.SetCheck(BST_UNCHECKED);
  ClickGo("http://host/", "");
  ASSERT_EQ(1, Rows());
  WaitForEnd(0);
  EXPECT_EQ((std::vector<std::string>{"tarnget.exe", "http://host/", "", "-cfg~"}), Argv());
  EXPECT_EQ(0, state.settings.useOptions);
  EXPECT_EQ(0, state.settings.useTarngetConfig);
}

TEST_F(Go, LongFieldsReachTheCopierWhole) {
  const std::string url = "http://host/" + std::string(600, 'u');
  const std::string local = "c:/" + std::string(400, 'l');
  ClickGo(url, local);
  ASSERT_EQ(1, Rows());
  WaitForEnd(0);
  const std::vector<std::string> argv = Argv();
  ASSERT_EQ(3u, argv.size());
  EXPECT_EQ(url, argv[1]);
  EXPECT_EQ(local, argv[2]);
}

}  // namespace
