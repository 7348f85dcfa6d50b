#include "combo_support.h"
#include "history.h"
#include "option_pages.h"
#include "resource.h"

DEFINE_RESPONSE_TABLE(TPropertyPageNNTP, TOptionsPage) = {
    {WM_COMMAND, IDC_NNTP_BROWSE_MSGID_DIR, BN_CLICKED, &Self::CmBrowseMsgidDir},
    {},
};

// The template also holds a hidden "Upload" button with the id of "Outdate"; it comes
// after "Outdate", so the id finds "Outdate".
TPropertyPageNNTP::TPropertyPageNNTP()
    : TOptionsPage(IDD_OPTIONS_NNTP),
      downloadButton(this, IDC_NNTP_DOWNLOAD),
      outdateButton(this, IDC_NNTP_OUTDATE),
      decodeBox(this, IDC_NNTP_DECODE),
      minRowsEdit(this, IDC_NNTP_MIN_ROWS),
      useMsgidDirBox(this, IDC_NNTP_USE_MSGID_DIR),
      msgidDirBox(this, IDC_NNTP_MSGID_DIR),
      useFileListBox(this, IDC_NNTP_USE_FILE_LIST),
      fileListBox(this, IDC_NNTP_FILE_LIST) {}

void TPropertyPageNNTP::ShowValues() {
  (g_options.nntpOutdate ? outdateButton : downloadButton).SetCheck(BST_CHECKED);
  ShowChoice(decodeBox, g_options.decodePosts);
  minRowsEdit.LimitText(kShortTextSize - 1);
  minRowsEdit.SetText(g_options.minimumRows);
  ShowFlag(useMsgidDirBox, g_options.useMsgidDirectory);
  ShowHistory(msgidDirBox, g_options.msgidDirectory);
  ShowFlag(useFileListBox, g_options.useFileList);
  ShowHistory(fileListBox, g_options.fileList);
}

void TPropertyPageNNTP::StoreValues() {
  g_options.nntpOutdate = ReadFlag(outdateButton);
  g_options.decodePosts.selection = ReadChoice(decodeBox);
  ReadShortText(minRowsEdit, g_options.minimumRows);
  g_options.useMsgidDirectory = ReadFlag(useMsgidDirBox);
  read_combo(msgidDirBox, g_options.msgidDirectory);
  g_options.useFileList = ReadFlag(useFileListBox);
  read_combo(fileListBox, g_options.fileList);
}

void TPropertyPageNNTP::CmBrowseMsgidDir() { browse_folder(msgidDirBox, nullptr); }
