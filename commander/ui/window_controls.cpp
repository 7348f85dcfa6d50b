#include "main_window.h"

CommanderControls ControlsOf(const TDialogTarnwellCommander& window) {
  CommanderControls controls;
  controls.window = window.Handle();
  controls.url = &window.urlBox;
  controls.localPath = &window.localBox;
  controls.topMost = &window.topMostBox;
  controls.useOptions = &window.useOptionsBox;
  controls.useTarngetConfig = &window.useConfigBox;
  controls.taskList = window.taskList.get();
  return controls;
}
