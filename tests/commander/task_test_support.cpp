#include "task_test_support.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "gui_test.h"
#include "settings_store.h"
#include "str_util.h"

const char kRunsLong[] = "write \"@ started\\n\"\nsleep 60000\n";
const char kEndsOk[] = "write \"@ done\\n\"\nexit 0\n";

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  ::SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnv::~ScopedEnv() { ::SetEnvironmentVariableA(name_, nullptr); }

std::string TempFilePath(const char* stem) {
  char dir[MAX_PATH], path[MAX_PATH];
  ::GetTempPathA(sizeof dir, dir);
  ::GetTempFileNameA(dir, stem, 0, path);
  return path;
}

CopierScript::CopierScript(const std::string& text) : path_(TempFilePath("tsk")) {
  std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
}

CopierScript::~CopierScript() { ::DeleteFileA(path_.c_str()); }

void TaskWindowTest::SetUp() {
  CommanderTest::SetUp();
  window.reset(new TDialogTarnwellCommander(state));
  ASSERT_NE(nullptr, window->Create());
  ::ShowWindow(window->Handle(), SW_SHOW);
  ASSERT_TRUE(window->taskList);
}

void TaskWindowTest::TearDown() {
  if (window) {
    for (int i = 0; TarngetTaskItem* task = window->taskChain.nth(i); ++i) {
      ::TerminateProcess(task->process, 255);
      ::WaitForSingleObject(task->process, 5000);
    }
    window->taskChain.clear_delete();
    window.reset();
  }
  scripts.clear();
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kCommanderSettingsKey);
  CommanderTest::TearDown();
}

void TaskWindowTest::Start(const char* script, const char* commandLine) {
  scripts.emplace_back(new CopierScript(script));
  ScopedEnv env("TARNGET_SCRIPT", scripts.back()->Path());
  const int before = window->taskChain.count;
  ASSERT_EQ(0, Board().StartTask(dup_n(commandLine, std::strlen(commandLine))));
  ASSERT_EQ(before + 1, window->taskChain.count);
}

std::string TaskWindowTest::WaitForEnd(int row, int ms) {
  PumpUntil(
      [&] {
        Board().PollTasks();
        return Task(row) && Task(row)->state != kTaskActive;
      },
      ms);
  return Status(row);
}

void TaskWindowTest::WaitForAllEnds(int ms) {
  for (int i = 0; TarngetTaskItem* task = Task(i); ++i) ::WaitForSingleObject(task->process, ms);
}

std::string TaskWindowTest::ColumnText(int row, int column) const {
  char text[1024] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  window->taskList->Send(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string TaskWindowTest::Status(int row) const { return ColumnText(row, 0); }

std::vector<std::string> TaskWindowTest::Messages(int row) {
  std::vector<std::string> out;
  TarngetTaskItem* task = Task(row);
  if (!task) return out;
  for (chnode<char>* node = task->output.messages.head; node; node = node->next) out.push_back(node->item);
  return out;
}

void TaskWindowTest::Select(std::initializer_list<int> rows) {
  window->taskList->SetItemState(-1, 0, LVIS_SELECTED);
  for (int row : rows) window->taskList->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

