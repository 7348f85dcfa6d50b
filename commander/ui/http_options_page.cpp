#include "history.h"
#include "option_pages.h"
#include "resource.h"

TPropertyPageHTTP::TPropertyPageHTTP(CommanderState& state)
    : TOptionsPage(IDD_OPTIONS_HTTP, state),
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
  (options_.httpRecovery ? recoveryButton : downloadButton).SetCheck(BST_CHECKED);
  ShowFlag(useDefaultHtmlBox, options_.useDefaultHtml);
  ShowHistory(defaultHtmlBox, options_.defaultHtml);
  ShowYesOnly(sameSiteBox, options_.includeSameSite);
  ShowChoice(relocateBox, options_.relocateImages);
  ShowChoice(nonHtmlBox, options_.includeNonHtml);
  useProxyBox.SetCheck(options_.httpProxyState);
  ShowHistory(proxyBox, options_.httpProxy);
}

void TPropertyPageHTTP::StoreValues() {
  options_.httpRecovery = ReadFlag(recoveryButton);
  options_.useDefaultHtml = ReadFlag(useDefaultHtmlBox);
  read_combo(defaultHtmlBox, options_.defaultHtml);
  options_.includeSameSite = ReadChoice(sameSiteBox);
  options_.relocateImages.selection = ReadChoice(relocateBox);
  options_.includeNonHtml.selection = ReadChoice(nonHtmlBox);
  options_.httpProxyState = useProxyBox.GetCheck();
  read_combo(proxyBox, options_.httpProxy);
}
