#include "config_commands.h"
#include <memory>
#include "copier_config.h"
#include "prompts.h"
#include "registry_view.h"
#include "str_util.h"

namespace {

using Prompt = int (*)(HWND, const char*);

void Report(Prompt prompt, HWND owner, char* text) {
  std::unique_ptr<char[]> owned(text);
  prompt(owner, owned ? owned.get() : "");
}

}  // namespace

void CopyCopierConfig(HWND owner, HKEY sourceRoot, HKEY destRoot) {
  HKEY key;
  LONG rc = OpenRootKey(sourceRoot, kCopierConfigKey, KEY_READ, &key);
  if (rc == ERROR_FILE_NOT_FOUND) {
    Report(ShowWarning, owner, format_alloc("%s configuration not exist", RootName(sourceRoot)));
    return;
  }
  // Any other failure to open shows up as the copy's own failure.
  if (rc == ERROR_SUCCESS) ::RegCloseKey(key);
  if (CopyRegistryKey(sourceRoot, kCopierConfigKey, destRoot, kCopierConfigKey) == 0) {
    ShowSuccess(owner, "Configuration copied");
  } else {
    Report(ShowError, owner, format_alloc("copy registry key \"%s\" error", kCopierConfigKey));
  }
}

void ResetCopierConfig(HWND owner, HKEY root) {
  LONG rc = DeleteRootKey(root, kCopierConfigKey);
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
    Report(ShowSuccess, owner, format_alloc("%s configuration reset", RootName(root)));
  } else {
    Report(ShowError, owner, format_alloc("erase %s registry key \"%s\" error", RootName(root), kCopierConfigKey));
  }
}
