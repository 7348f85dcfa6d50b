// Shared by the task tests: a real main window with its task list, real stand-in copiers
// steered by scripts, and short ways to read what the list and the records hold.
#pragma once
#include "copier_record.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "commander_fixture.h"
#include "main_window.h"
#include "tasks.h"

// Sets an environment variable that copiers started meanwhile inherit.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  const char* name_;
};

// A stand-in copier script in a temporary file, removed with the object.
class CopierScript {
public:
  explicit CopierScript(const std::string& text);
  ~CopierScript();
  CopierScript(const CopierScript&) = delete;
  CopierScript& operator=(const CopierScript&) = delete;
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// Scripts for the usual copiers.
extern const char kRunsLong[];   // writes one line and sleeps a minute
extern const char kEndsOk[];     // writes one line and ends with 0

std::string TempFilePath(const char* stem);

// The main window shown modeless, its task chain driven through a TaskBoard. Every copier
// still running at the end is ended, and every record freed.
class TaskWindowTest : public CommanderTest {
protected:
  void SetUp() override;
  void TearDown() override;

  TaskBoard Board() { return TaskBoard(window->Handle(), *window->taskList, window->taskChain); }
  // Starts a copier that follows `script`; expects success.
  void Start(const char* script, const char* commandLine = "tarnget.exe ftp://host/pub c:/files ");
  // Polls until `row`'s task is no longer Active (or `ms` pass); returns its status text.
  std::string WaitForEnd(int row, int ms = 10000);
  // Waits (without polling) until every started copier has ended.
  void WaitForAllEnds(int ms = 10000);
  std::string Status(int row) const;
  std::string ColumnText(int row, int column) const;
  int Rows() const { return window->taskList->GetItemCount(); }
  TarngetTaskItem* Task(int row) { return window->taskChain.nth(row); }
  std::vector<std::string> Messages(int row);
  void Select(std::initializer_list<int> rows);

  std::unique_ptr<TDialogTarnwellCommander> window;
  std::vector<std::unique_ptr<CopierScript>> scripts;
};


