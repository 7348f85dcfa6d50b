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
TPropertyPageNNTP::TPropertyPageNNTP(CommanderState& state)
    : TOptionsPage(IDD_OPTIONS_NNTP, state),
      downloadButton(this, IDC_NNTP_DOWNLOAD),
      outdateButton(this, IDC_NNTP_OUTDATE),
      decodeBox(this, IDC_NNTP_DECODE),
      minRowsEdit(this, IDC_NNTP_MIN_ROWS),
      useMsgidDirBox(this, IDC_NNTP_USE_MSGID_DIR),
      msgidDirBox(this, IDC_NNTP_MSGID_DIR),
      useFileListBox(this, IDC_NNTP_USE_FILE_LIST),
      fileListBox(this, IDC_NNTP_FILE_LIST) {}

void TPropertyPageNNTP::ShowValues() {
  (options_.nntpOutdate ? outdateButton : downloadButton).SetCheck(BST_CHECKED);
  ShowChoice(decodeBox, options_.decodePosts);
  minRowsEdit.LimitText(kShortTextSize - 1);
  minRowsEdit.SetText(options_.minimumRows);
  ShowFlag(useMsgidDirBox, options_.useMsgidDirectory);
  ShowHistory(msgidDirBox, options_.msgidDirectory);
  ShowFlag(useFileListBox, options_.useFileList);
  ShowHistory(fileListBox, options_.fileList);
}

void TPropertyPageNNTP::StoreValues() {
  options_.nntpOutdate = ReadFlag(outdateButton);
  options_.decodePosts.selection = ReadChoice(decodeBox);
  ReadShortText(minRowsEdit, options_.minimumRows);
  options_.useMsgidDirectory = ReadFlag(useMsgidDirBox);
  read_combo(msgidDirBox, options_.msgidDirectory);
  options_.useFileList = ReadFlag(useFileListBox);
  read_combo(fileListBox, options_.fileList);
}

void TPropertyPageNNTP::CmBrowseMsgidDir() { browse_folder(msgidDirBox, nullptr); }
