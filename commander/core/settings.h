// The commander's settings: what the main window restores at start and writes back at
// close. They start at their defaults; loading fills them before the main window is
// created.
#pragma once
#include <cstdint>
#include "chain.h"
#include "cstring1.h"
#include "not_set.h"
#include "window_position.h"

struct CommanderSettings {
  WindowPosition position;
  unsigned char topMost = 0;
  unsigned char useOptions = 1;
  unsigned char useTarngetConfig = 1;
  // The state the next "&Task" click selects: the main window applies it once at setup
  // and inverts it, so while running it is the opposite of what is shown.
  unsigned char taskListSwitch = 1;
  std::int32_t statusWidth = 80;
  std::int32_t commandWidth = kNotSet;  // kNotSet: the command column fills the list
  chain<cstring1> remoteUrl;
  chain<cstring1> localPath;

  ~CommanderSettings() {
    remoteUrl.clear_delete();
    localPath.clear_delete();
  }
};
