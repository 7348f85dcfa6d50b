#include "task_launch.h"

#include <memory>
#include <new>

#include "command_line.h"
#include "prompts.h"
#include "str_util.h"
#include "url.h"

namespace {

// The protocol number of the URL's scheme as typed, or -1 after telling the user.
int FindProtocol(HWND owner, const char* url) {
  const std::unique_ptr<char[]> scheme(new (std::nothrow) char[url_component_size(url)]);
  if (!scheme) return -1;
  parse_url(url, scheme.get(), nullptr, nullptr, nullptr, nullptr, nullptr);
  const int protocol = name_index(protocol_names, scheme.get());
  if (protocol < 0) {
    const std::unique_ptr<char[]> text(format_alloc("Unknown protocol \"%s\"", scheme.get()));
    ShowError(owner, text ? text.get() : "Unknown protocol");
  }
  return protocol;
}

}  // namespace

int LaunchTask(const CommanderControls& controls, CommanderState& state, TaskBoard& board) {
  FieldTexts texts;
  CollectWindowState(controls, state.settings, texts);
  // Tested as typed: a URL of blanks passes and reaches the copier as an empty argument.
  if (texts.url[0] == '\0') {
    ShowError(controls.window, "Remote URL not given");
    return -1;
  }
  const int protocol = FindProtocol(controls.window, texts.url.get());
  if (protocol < 0) return -1;

  char* commandLine =
      ComposeCommandLine(texts.url.get(), texts.localPath.get(), protocol, state.settings.useTarngetConfig != 0,
                         state.settings.useOptions != 0, state.options);
  if (!commandLine) {
    ShowSpawnError(controls.window);
    return -1;
  }
  if (board.StartTask(commandLine) != 0) return -1;
  controls.url->SetText("");
  return 0;
}
