// The commander's one top-level window: the URL and local-path fields with the buttons
// around them, and below them the task panel (the task list and the buttons that act on
// tasks), which the "&Task" button folds away and brings back.
#pragma once
#include <cstdint>
#include <memory>
#include "chain.h"
#include "combo_support.h"
#include "commander_state.h"
#include "dialog.h"
#include "task_list_view.h"
#include "task_item.h"
#include "window_state.h"

class TDialogTarnwellCommander : public TDialog {
public:
  // Loads the settings into `state`, which outlives the window.
  explicit TDialogTarnwellCommander(CommanderState& state);
  ~TDialogTarnwellCommander() override;

  TComboBoxDropTarget dropTarget;  // text dragged anywhere onto the window goes to urlBox
  TButton goButton;
  TCheckBox topMostBox;
  TCheckBox useOptionsBox;
  TCheckBox useConfigBox;
  THistoryComboBox urlBox;
  TDrop1ComboBox localBox;
  TStatic placeholder;             // marks where the task list goes; never shown
  std::unique_ptr<TTaskListView> taskList;
  std::int32_t fullWidth = 0;      // window size in pixels, measured at setup
  std::int32_t fullHeight = 0;
  std::int32_t collapsedHeight = 0;  // the height that hides the task panel
  UINT dpi = kBaseDpi;               // the DPI the three sizes above are measured at
  chain<TarngetTaskItem> taskChain;  // one record per row of taskList, in row order
  HANDLE configProcess = nullptr;  // the configuration editor started last
  // The command line that starts the configuration editor; tests point it at a stand-in.
  const char* configCommand = "tarncfg.exe";

protected:
  void SetupWindow() override;
  void CleanupWindow() override;

  // The task work: starting, polling, listing and removing tasks.
  virtual void CmGo();
  virtual void CmKill();
  virtual void CmClear();
  virtual void CmKillAll();
  virtual void CmState();
  virtual void PollTasks();
  // The list view asks for the text of column 1 (LVN_GETDISPINFOA).
  virtual void EvTaskListDisplayText(Message& m);
  // Removes one row's task: 0 when it is gone, -1 when the user or the platform refused.
  virtual int RemoveTask(int row);
  // Removes every task from the last row up, stopping at the first refusal: 0 when the
  // list is empty afterwards, -1 otherwise.
  virtual int RemoveAllTasks();

  // The task list's keys and context menu: retry, copying command lines, selecting all.
  virtual void CmRetry();
  virtual void CmCopyCommandLines();
  void CmSelectAllTasks();
  void EvContextMenu(Message& m);

private:
  CommanderState& state_;

  void ApplyTaskPanelSwitch();
  void ApplyTopMost();
  void CreateTaskList();

  void CmEscape() {}
  void CmPause() {}
  void CmBrowseLocal();
  void CmAbout();
  void CmOptions();
  void CmTarngetConfig();
  void CmTopMost() { ApplyTopMost(); }
  void CmTaskSwitch() { ApplyTaskPanelSwitch(); }
  void EvDropFiles(Message& m);
  void EvTimer() { PollTasks(); }
  void EvClose();
  void EvDpiChanged(Message& m);

  DECLARE_RESPONSE_TABLE(TDialogTarnwellCommander);
};

// The controls of the main window that the collect step reads.
CommanderControls ControlsOf(const TDialogTarnwellCommander& window);
