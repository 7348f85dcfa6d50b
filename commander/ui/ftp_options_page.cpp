#include "history.h"
#include "option_pages.h"
#include "resource.h"

TPropertyPageFTP::TPropertyPageFTP()
    : TOptionsPage(IDD_OPTIONS_FTP),
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
  if (g_options.ftpUpload) uploadButton.SetCheck(BST_CHECKED);
  else if (g_options.ftpGetDirList) dirListButton.SetCheck(BST_CHECKED);
  else downloadButton.SetCheck(BST_CHECKED);
  ShowFlag(useDirListNameBox, g_options.useDirListName);
  ShowHistory(dirListNameBox, g_options.dirListName);
  ShowChoice(eraseBox, g_options.eraseSource);
  ShowYesOnly(unixLinksBox, g_options.includeUnixLinks);
  ShowChoice(pasvBox, g_options.pasvMode);
  useProxyBox.SetCheck(g_options.ftpProxyState);
  ShowHistory(proxyBox, g_options.ftpProxy);
}

void TPropertyPageFTP::StoreValues() {
  g_options.ftpUpload = ReadFlag(uploadButton);
  g_options.ftpGetDirList = ReadFlag(dirListButton);
  g_options.useDirListName = ReadFlag(useDirListNameBox);
  read_combo(dirListNameBox, g_options.dirListName);
  g_options.eraseSource.selection = ReadChoice(eraseBox);
  g_options.includeUnixLinks = ReadChoice(unixLinksBox);
  g_options.pasvMode.selection = ReadChoice(pasvBox);
  g_options.ftpProxyState = useProxyBox.GetCheck();
  read_combo(proxyBox, g_options.ftpProxy);
}
