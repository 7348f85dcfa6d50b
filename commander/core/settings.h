// The commander's process-wide settings: what the main window restores at start and
// writes back at close. They start at their defaults; loading fills them before the
// main window is created.
#pragma once
#include <cstdint>
#include "chain.h"
#include "cstring1.h"

// A window x of this value means "no stored position"; a column width of it, "not set".
const std::int32_t kNotSet = 2147483647;

struct CommanderSettings {
  std::int32_t windowX = kNotSet;
  std::int32_t windowY = 0;
  unsigned char topMost = 0;
  unsigned char useOptions = 1;
  unsigned char useTarngetConfig = 1;
  // The state the next "&Task" click selects: the main window applies it once at setup
  // and inverts it, so while running it is the opposite of what is shown.
  unsigned char taskListSwitch = 1;
  std::int32_t statusWidth = 80;
  std::int32_t commandWidth = kNotSet;
  chain<cstring1> remoteUrl;
  chain<cstring1> localPath;

  ~CommanderSettings() {
    remoteUrl.clear_delete();
    localPath.clear_delete();
  }
};

extern CommanderSettings g_settings;
