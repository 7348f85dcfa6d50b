#include "kept_values.h"
#include <memory>
#include "heap_text.h"
#include "prompts.h"
#include "str_util.h"

namespace {

// Appends one line naming a value; a line that cannot be made is left out.
void AddName(chain<char>& lines, const char* name) {
  append_text(lines, std::unique_ptr<char[]>(format_alloc("\n    %s", name)));
}

}  // namespace

void WarnOfKeptValues(HWND owner, HKEY root, const ConfigModel& model) {
  chain<char> lines;
  for (int i = 0; i < kCopierStringCount; ++i)
    if (model.kept.strings[i] && i != kNntpProxyServer) AddName(lines, kCopierStringNames[i]);
  for (int i = 0; i < kCopierNumberCount; ++i)
    if (model.kept.numbers[i] && i != kNntpProxyPort) AddName(lines, kCopierNumberNames[i]);
  if (!lines.head) return;
  std::unique_ptr<char[]> names(join_strings(lines));
  lines.clear_delete();
  std::unique_ptr<char[]> text(format_alloc(
      "%s configuration holds values that cannot be shown here. They are kept as they are until changed or reset:%s",
      RootName(root), names ? names.get() : ""));
  ShowWarning(owner, text ? text.get() : "Values that cannot be shown here are kept until changed or reset.");
}
