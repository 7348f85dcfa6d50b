// The log out of the message window: Ctrl+C, Ctrl+S and its context menu, the clipboard's
// real content and the saved file's bytes, and a write that fails leaving nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "command_ids.h"
#include "copier_record.h"
#include "gui_test.h"
#include "message_window.h"
#include "str_util.h"
#include "task_test_support.h"

namespace {

const char kLog[] = "one\r\ntwo\r\n60% done\r\n";

class LogExport : public TaskWindowTest {
 protected:
  void SetUp() override {
    TaskWindowTest::SetUp();
    task = new TarngetTaskItem;
    const char line[] = "tarnget.exe ftp://host/pub/file.zip c:/files ";
    task->commandLine.reset(dup_n(line, sizeof line - 1));
    const char output[] = "@ one\n~ 50% done\n* two\n~ 60% done\n";
    task->output.Take(output, sizeof output - 1);
    tasks.append(task);
    dialog.reset(new TarngetMessageDialog(window->Handle(), tasks, task));
    ASSERT_NE(nullptr, dialog->Create());
    ::ShowWindow(dialog->Handle(), SW_SHOW);
    folder = TempFilePath("log");
    ::DeleteFileA(folder.c_str());
    ::CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    dialog.reset();
    tasks.clear_delete();
    ::RemoveDirectoryA((folder + "\\sub").c_str());
    ::DeleteFileA((folder + "\\saved.log").c_str());
    ::RemoveDirectoryA(folder.c_str());
    TaskWindowTest::TearDown();
  }
  void Press(HWND control, UINT key) {
    HeldKeys keys({VK_CONTROL});
    ::SetFocus(control);
    PressKey(::GetFocus(), key);
  }
  int FilesIn(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((dir + "\\*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count += found.cFileName[0] != '.';
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return count;
  }

  chain<TarngetTaskItem> tasks;
  TarngetTaskItem* task = nullptr;
  std::unique_ptr<TarngetMessageDialog> dialog;
  std::string folder;
};

TEST_F(LogExport, CtrlCInTheListOrTheFieldAndCopyAllPutTheShownLinesOnTheClipboard) {
  Press(dialog->list.Handle(), 'C');
  EXPECT_EQ(kLog, ClipboardText());
  // The command-line field gives the log too, not its own text.
  Press(dialog->commandLine.Handle(), 'C');
  EXPECT_EQ(kLog, ClipboardText());

  ScriptedPrompts prompts;
  prompts.menuChoice = "&Copy all";
  task->output.Take("@ three\n", 8);  // shown on the next refresh; the progress row goes
  dialog->list.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog->list.Handle()), -1);
  ASSERT_EQ(1u, prompts.menus.size());
  EXPECT_EQ((std::vector<std::string>{"&Copy all", "&Save as..."}), prompts.menus[0].items);
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", ClipboardText());
}

TEST_F(LogExport, CtrlSWritesTheLogToTheChosenFileWholeOrSaysWhyNotLeavingNothing) {
  const std::string path = folder + "\\saved.log";
  WriteFileText(path, "an older and longer file that must go entirely\r\n");
  ScriptedPrompts prompts;
  prompts.nextSaveFile = path;
  Press(dialog->list.Handle(), 'S');
  ASSERT_EQ(1u, prompts.saveDialogs.size());
  EXPECT_EQ("file.zip.log", prompts.saveDialogs[0].file);
  EXPECT_EQ("Log files (*.log)|*.log|All files (*.*)|*.*|", prompts.saveDialogs[0].filter);
  EXPECT_TRUE(prompts.saveDialogs[0].flags & OFN_NOCHANGEDIR);
  EXPECT_EQ(kLog, ReadFileText(path));
  EXPECT_TRUE(prompts.boxes.empty());

  // The chosen name is a folder: the move over it fails after the log was written.
  ::DeleteFileA(path.c_str());
  const std::string sub = folder + "\\sub";
  ::CreateDirectoryA(sub.c_str(), nullptr);
  prompts.menuChoice = "&Save as...";
  prompts.nextSaveFile = sub;
  dialog->list.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog->list.Handle()), MAKELPARAM(10, 10));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Error", prompts.boxes[0].caption);
  EXPECT_EQ("Write file \"" + sub + "\" error", prompts.boxes[0].text);
  EXPECT_EQ(1, FilesIn(folder));  // only the folder "sub"
}

}  // namespace
