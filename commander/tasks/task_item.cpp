#include "task_item.h"

#include "nocase.h"

TarngetTaskItem::~TarngetTaskItem() {
  if (process) ::CloseHandle(process);
  if (outputPipe) ::CloseHandle(outputPipe);
}

bool IsTaskRunning(const TarngetTaskItem& task) {
  const DWORD wait = ::WaitForSingleObject(task.process, 0);
  if (wait == WAIT_TIMEOUT) return true;
  if (wait == WAIT_OBJECT_0) return false;
  DWORD code = 0;
  return ::GetExitCodeProcess(task.process, &code) && code == STILL_ACTIVE;
}

bool chain_traits<TarngetTaskItem>::equal(const TarngetTaskItem* element, const TarngetTaskItem* key) {
  const char* a = element->commandLine ? element->commandLine.get() : "";
  const char* b = key->commandLine ? key->commandLine.get() : "";
  return element->process == key->process && compare_nocase(a, b) == 0;
}
