#include "window_state.h"

#include "history.h"

void CollectWindowState(const CommanderControls& controls, CommanderSettings& settings, FieldTexts& texts) {
  // Read whole: a fixed buffer would cut a long URL or path without a word.
  texts.url = controls.url->DupText();
  texts.localPath = controls.localPath->DupText();

  // Only the committed entries: the fields add their edit text when they lose the focus.
  read_combo(*controls.url, settings.remoteUrl);
  read_combo(*controls.localPath, settings.localPath);

  settings.topMost = controls.topMost->IsChecked() ? 1 : 0;
  settings.useOptions = controls.useOptions->IsChecked() ? 1 : 0;
  settings.useTarngetConfig = controls.useTarngetConfig->IsChecked() ? 1 : 0;

  if (controls.taskList && controls.taskList->IsWindow()) {
    settings.statusWidth = controls.taskList->GetColumnWidth(0);
    settings.commandWidth = controls.taskList->GetColumnWidth(1);
  }
}
