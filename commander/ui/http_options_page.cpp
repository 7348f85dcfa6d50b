#include "history.h"
#include "option_pages.h"
#include "resource.h"

TPropertyPageHTTP::TPropertyPageHTTP()
    : TOptionsPage(IDD_OPTIONS_HTTP),
      downloadButton(this, IDC_HTTP_DOWNLOAD),
      recoveryButton(this, IDC_HTTP_RECOVERY),
      useDefaultHtmlBox(this, IDC_HTTP_USE_DEFAULT_HTML),
      defaultHtmlBox(this, IDC_HTTP_DEFAULT_HTML),
      sameSiteBox(this, IDC_HTTP_SAME_SITE),
      nonHtmlBox(this, IDC_HTTP_NON_HTML),
      relocateBox(this, IDC_HTTP_RELOCATE),
      useProxyBox(this, IDC_HTTP_USE_PROXY),
      proxyBox(this, IDC_HTTP_PROXY) {}

void TPropertyPageHTTP::ShowValues() {
  (g_options.httpRecovery ? recoveryButton : downloadButton).SetCheck(BST_CHECKED);
  ShowFlag(useDefaultHtmlBox, g_options.useDefaultHtml);
  ShowHistory(defaultHtmlBox, g_options.defaultHtml);
  ShowYesOnly(sameSiteBox, g_options.includeSameSite);
  ShowChoice(relocateBox, g_options.relocateImages);
  ShowChoice(nonHtmlBox, g_options.includeNonHtml);
  useProxyBox.SetCheck(g_options.httpProxyState);
  ShowHistory(proxyBox, g_options.httpProxy);
}

void TPropertyPageHTTP::StoreValues() {
  g_options.httpRecovery = ReadFlag(recoveryButton);
  g_options.useDefaultHtml = ReadFlag(useDefaultHtmlBox);
  read_combo(defaultHtmlBox, g_options.defaultHtml);
  g_options.includeSameSite = ReadChoice(sameSiteBox);
  g_options.relocateImages.selection = ReadChoice(relocateBox);
  g_options.includeNonHtml.selection = ReadChoice(nonHtmlBox);
  g_options.httpProxyState = useProxyBox.GetCheck();
  read_combo(proxyBox, g_options.httpProxy);
}
