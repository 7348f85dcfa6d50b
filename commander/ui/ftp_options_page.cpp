#include "history.h"
#include "option_pages.h"
#include "resource.h"

TPropertyPageFTP::TPropertyPageFTP(CommanderState& state)
    : TOptionsPage(IDD_OPTIONS_FTP, state),
      downloadButton(this, IDC_FTP_DOWNLOAD),
      uploadButton(this, IDC_FTP_UPLOAD),
      dirListButton(this, IDC_FTP_DIR_LIST),
      useDirListNameBox(this, IDC_FTP_USE_DIR_LIST_NAME),
      dirListNameBox(this, IDC_FTP_DIR_LIST_NAME),
      eraseBox(this, IDC_FTP_ERASE),
      unixLinksBox(this, IDC_FTP_UNIX_LINKS),
      pasvBox(this, IDC_FTP_PASV),
      useProxyBox(this, IDC_FTP_USE_PROXY),
      proxyBox(this, IDC_FTP_PROXY) {}

void TPropertyPageFTP::ShowValues() {
  if (options_.ftpUpload) uploadButton.SetCheck(BST_CHECKED);
  else if (options_.ftpGetDirList) dirListButton.SetCheck(BST_CHECKED);
  else downloadButton.SetCheck(BST_CHECKED);
  ShowFlag(useDirListNameBox, options_.useDirListName);
  ShowHistory(dirListNameBox, options_.dirListName);
  ShowChoice(eraseBox, options_.eraseSource);
  ShowYesOnly(unixLinksBox, options_.includeUnixLinks);
  ShowChoice(pasvBox, options_.pasvMode);
  useProxyBox.SetCheck(options_.ftpProxyState);
  ShowHistory(proxyBox, options_.ftpProxy);
}

void TPropertyPageFTP::StoreValues() {
  options_.ftpUpload = ReadFlag(uploadButton);
  options_.ftpGetDirList = ReadFlag(dirListButton);
  options_.useDirListName = ReadFlag(useDirListNameBox);
  read_combo(dirListNameBox, options_.dirListName);
  options_.eraseSource.selection = ReadChoice(eraseBox);
  options_.includeUnixLinks = ReadChoice(unixLinksBox);
  options_.pasvMode.selection = ReadChoice(pasvBox);
  options_.ftpProxyState = useProxyBox.GetCheck();
  read_combo(proxyBox, options_.ftpProxy);
}
