// Combo-box support against real combo boxes in a real dialog: the OLE text drop target
// (driven directly with small data objects), shell file drops with a real HDROP, the
// folder browser and the open-file dialog through the prompt seam, and fixed-choice lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "combo_support.h"
#include "gui_test.h"
#include "history.h"
#include "support_test_dialog.h"

namespace {

// --- A data object of our own ------------------------------------------------------------

// Counts its references; lives on the stack, so reaching zero frees nothing.
class TCountedUnknown : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  LONG refs = 0;
};

class TTextDataObject : public IDataObject {
public:
  enum Mode {
    kText,            // offers CF_TEXT and delivers it
    kOffersButFails,  // says yes to QueryGetData, then GetData fails
    kNoText,          // offers nothing we take
    kNullBlock,       // GetData succeeds but yields no memory block
  };
  explicit TTextDataObject(Mode mode, std::string text = "", bool terminated = true)
      : mode_(mode), text_(std::move(text)), terminated_(terminated) {}

  // With an owner, the medium names it in pUnkForRelease and keeps its block.
  TCountedUnknown* releaseOwner = nullptr;
  HGLOBAL lastBlock = nullptr;
  int queries = 0, gets = 0;
  FORMATETC asked{};
  LONG refs = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    ++gets;
    asked = *format;
    if (mode_ == kNoText || mode_ == kOffersButFails) return DV_E_FORMATETC;
    if (!IsText(*format)) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = nullptr;
    medium->pUnkForRelease = nullptr;
    if (mode_ == kNullBlock) return S_OK;
    const std::size_t size = text_.size() + (terminated_ ? 1 : 0);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    char* p = static_cast<char*>(::GlobalLock(block));
    std::memcpy(p, text_.data(), text_.size());
    if (terminated_) p[text_.size()] = '\0';
    ::GlobalUnlock(block);
    medium->hGlobal = lastBlock = block;
    if (releaseOwner) {
      medium->pUnkForRelease = releaseOwner;
      releaseOwner->AddRef();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    ++queries;
    asked = *format;
    if (mode_ == kNoText) return DV_E_FORMATETC;
    return IsText(*format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  static bool IsText(const FORMATETC& f) {
    return f.cfFormat == CF_TEXT && (f.tymed & TYMED_HGLOBAL) && f.dwAspect == DVASPECT_CONTENT;
  }
  Mode mode_;
  std::string text_;
  bool terminated_;
};

const POINTL kPoint{10, 10};

bool HasFocus(const TComboBox& combo) {
  HWND focus = ::GetFocus();
  return focus && (focus == combo.Handle() || ::IsChild(combo.Handle(), focus));
}

class ComboSupport : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(dlg.Create(), nullptr);
    ::SetFocus(::GetDlgItem(dlg.Handle(), IDOK));
  }
  TSupportTestDialog dlg;
};

// A shell file drop block: DROPFILES followed by the ANSI names, double-null terminated.
HDROP MakeDrop(const std::vector<std::string>& names) {
  std::size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& n : names) size += n.size() + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* df = static_cast<DROPFILES*>(::GlobalLock(block));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  char* p = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
  for (const std::string& n : names) {
    std::memcpy(p, n.c_str(), n.size() + 1);
    p += n.size() + 1;
  }
  *p = '\0';
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

}  // namespace

// --- TComboBoxDropTarget ---------------------------------------------------------------------

TEST_F(ComboSupport, DropTargetAnswersForIUnknownAndIDropTargetOnly) {
  TComboBoxDropTarget target(dlg.plain);
  EXPECT_EQ(target.RefCount(), 0);
  EXPECT_FALSE(target.HoldsData());

  void* out = nullptr;
  EXPECT_EQ(target.QueryInterface(IID_IDropTarget, &out), S_OK);
  EXPECT_EQ(out, static_cast<IDropTarget*>(&target));
  EXPECT_EQ(target.RefCount(), 1);
  out = nullptr;
  EXPECT_EQ(target.QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(out, static_cast<IDropTarget*>(&target));
  EXPECT_EQ(target.RefCount(), 2);
  out = &target;
  EXPECT_EQ(target.QueryInterface(IID_IDataObject, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(target.RefCount(), 2);

  EXPECT_EQ(target.AddRef(), 3u);
  EXPECT_EQ(target.Release(), 2u);
  EXPECT_EQ(target.Release(), 1u);
  EXPECT_EQ(target.Release(), 0u);
  // Still alive: the count reaching zero frees nothing.
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(ComboSupport, DropTargetSurvivesRegistrationAndRevocation) {
  TComboBoxDropTarget target(dlg.plain);
  ASSERT_EQ(::RegisterDragDrop(dlg.Handle(), &target), S_OK);
  EXPECT_GT(target.RefCount(), 0);
  EXPECT_EQ(::RevokeDragDrop(dlg.Handle()), S_OK);
  EXPECT_EQ(target.RefCount(), 0);
  DWORD effect = 0;
  EXPECT_EQ(target.DragLeave(), S_OK);
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
}

// "Copy" when offered, else "link", never "move": with "move" the source would delete what
// it dragged.
TEST_F(ComboSupport, TextDragIsAcceptedAsACopyOrLinkAndHeldUntilLeave) {
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "ftp://host/file");
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(target.DragEnter(&data, MK_LBUTTON, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(target.HoldsData());
  EXPECT_EQ(data.refs, 1);
  EXPECT_EQ(data.asked.cfFormat, CF_TEXT);
  EXPECT_EQ(data.asked.ptd, nullptr);
  EXPECT_EQ(data.asked.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_EQ(data.asked.lindex, -1);
  EXPECT_EQ(data.asked.tymed, static_cast<DWORD>(TYMED_HGLOBAL));

  effect = DROPEFFECT_MOVE;  // a source that only lets go of what it moves
  EXPECT_EQ(target.DragOver(MK_CONTROL, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(target.HoldsData());
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target.DragOver(MK_SHIFT, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_LINK;  // a link out of a browser's address bar
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  effect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(target.DragOver(MK_SHIFT, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

  EXPECT_EQ(target.DragLeave(), S_OK);
  EXPECT_FALSE(target.HoldsData());
  EXPECT_EQ(data.refs, 0);
  effect = 7;
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(data.gets, 0);
  EXPECT_EQ(EditText(dlg.plain), "");
}

TEST_F(ComboSupport, DropPutsTheTextIntoTheComboAndAtTheTopOfItsHistory) {
  dlg.plain.AddString("http://older/");
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "ftp://host/dir/file.zip");
  DWORD effect = DROPEFFECT_COPY;
  ASSERT_EQ(target.DragEnter(&data, 0, kPoint, &effect), S_OK);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_FALSE(target.HoldsData());
  EXPECT_EQ(data.refs, 0);
  EXPECT_EQ(data.gets, 1);
  EXPECT_EQ(EditText(dlg.plain), "ftp://host/dir/file.zip");
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"ftp://host/dir/file.zip", "http://older/"}));
  EXPECT_TRUE(HasFocus(dlg.plain));
}

TEST_F(ComboSupport, DropFromALinkOnlySourceIsTakenAsALink) {
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "http://host/linked");
  DWORD effect = DROPEFFECT_LINK;
  ASSERT_EQ(target.DragEnter(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  effect = DROPEFFECT_LINK;
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(EditText(dlg.plain), "http://host/linked");
}

TEST_F(ComboSupport, DropOfATextAlreadyInTheHistoryMovesItToTheTop) {
  for (const char* s : {"a", "b", "ftp://X/"}) dlg.plain.AddString(s);
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "ftp://x/");
  DWORD effect = 0;
  target.DragEnter(&data, 0, kPoint, &effect);
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"ftp://x/", "a", "b"}));
}

TEST_F(ComboSupport, DropReadsABlockWithoutTerminatorOnlyUpToItsSize) {
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "unterminated", false);
  DWORD effect = 0;
  target.DragEnter(&data, 0, kPoint, &effect);
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(EditText(dlg.plain), "unterminated");
}

TEST_F(ComboSupport, DropReleasesTheMediumByItsProvider) {
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kText, "owned");
  TCountedUnknown owner;
  data.releaseOwner = &owner;
  DWORD effect = 0;
  target.DragEnter(&data, 0, kPoint, &effect);
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(owner.refs, 0);  // released through pUnkForRelease ...
  EXPECT_NE(::GlobalSize(data.lastBlock), 0u);  // ... which keeps its block
  ::GlobalFree(data.lastBlock);
  EXPECT_EQ(EditText(dlg.plain), "owned");
}

TEST_F(ComboSupport, DropUsesTheDroppedObjectAndForgetsAnEarlierOne) {
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject first(TTextDataObject::kText, "first");
  TTextDataObject second(TTextDataObject::kText, "second");
  DWORD effect = 0;
  target.DragEnter(&first, 0, kPoint, &effect);
  target.DragEnter(&second, 0, kPoint, &effect);  // a new drag: the first is let go
  EXPECT_EQ(first.refs, 0);
  EXPECT_EQ(second.refs, 1);
  EXPECT_EQ(target.Drop(&second, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(second.refs, 0);
  EXPECT_EQ(EditText(dlg.plain), "second");
  EXPECT_EQ(first.gets, 0);
}

TEST_F(ComboSupport, DragWithoutTextIsRefusedAndItsDropFails) {
  dlg.plain.SetText("unchanged");
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kNoText);
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target.DragEnter(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(target.HoldsData());
  EXPECT_EQ(data.refs, 0);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target.DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), E_FAIL);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(data.gets, 0);
  EXPECT_EQ(EditText(dlg.plain), "unchanged");
  EXPECT_EQ(dlg.plain.GetCount(), 0);
}

TEST_F(ComboSupport, DataThatOffersTextButFailsToDeliverItMakesTheDropFail) {
  dlg.plain.SetText("unchanged");
  TComboBoxDropTarget target(dlg.plain);
  TTextDataObject data(TTextDataObject::kOffersButFails);
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target.DragEnter(&data, 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target.Drop(&data, 0, kPoint, &effect), E_FAIL);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(data.gets, 1);
  EXPECT_FALSE(target.HoldsData());
  EXPECT_EQ(data.refs, 0);
  EXPECT_EQ(EditText(dlg.plain), "unchanged");
  EXPECT_EQ(dlg.plain.GetCount(), 0);

  TTextDataObject empty(TTextDataObject::kNullBlock);
  target.DragEnter(&empty, 0, kPoint, &effect);
  EXPECT_EQ(target.Drop(&empty, 0, kPoint, &effect), E_FAIL);
  EXPECT_EQ(EditText(dlg.plain), "unchanged");
  EXPECT_EQ(dlg.plain.GetCount(), 0);
}

TEST_F(ComboSupport, TargetLetsGoOfAHeldObjectWhenItGoes) {
  TTextDataObject data(TTextDataObject::kText, "x");
  {
    TComboBoxDropTarget target(dlg.plain);
    DWORD effect = 0;
    target.DragEnter(&data, 0, kPoint, &effect);
    EXPECT_EQ(data.refs, 1);
  }
  EXPECT_EQ(data.refs, 0);
}

// --- Shell file drops ----------------------------------------------------------------------

TEST_F(ComboSupport, FileDroppedOnTheFieldTakesOnlyTheFirstNameWithForwardSlashes) {
  dlg.drop.AddString("older");
  HDROP drop = MakeDrop({"C:\\data\\in\\one.txt", "C:\\other\\two.txt"});
  ::SendMessageA(dlg.drop.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(EditText(dlg.drop), "C:/data/in/one.txt");
  EXPECT_EQ(Items(dlg.drop), (std::vector<std::string>{"C:/data/in/one.txt", "older"}));
  EXPECT_TRUE(HasFocus(dlg.drop));
}

TEST_F(ComboSupport, DroppedNetworkPathKeepsItsServerAndShareRoot) {
  accept_dropped_file(dlg.plain, MakeDrop({"\\\\server\\share\\dir\\file.txt"}));
  EXPECT_EQ(EditText(dlg.plain), "\\\\server\\share/dir/file.txt");
}

TEST_F(ComboSupport, DroppedNameLongerThanThePathLimitIsTakenWhole) {
  std::string name = "C:";
  while (name.size() < 700) name += "\\segment" + std::to_string(name.size());
  std::string expected = name;
  for (std::size_t i = 2; i < expected.size(); ++i)
    if (expected[i] == '\\') expected[i] = '/';
  accept_dropped_file(dlg.plain, MakeDrop({name, "C:\\second"}));
  EXPECT_EQ(EditText(dlg.plain), expected);
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{expected}));
}

// --- Folder browser and open-file dialog ---------------------------------------------------

TEST_F(ComboSupport, CancelledFolderBrowserLeavesTheField) {
  ScriptedPrompts prompts;
  dlg.plain.SetText("as it was");
  browse_folder(dlg.plain, nullptr);
  ASSERT_EQ(prompts.folderTitles.size(), 1u);
  EXPECT_EQ(prompts.folderTitles[0], "Please select a directory");
  EXPECT_EQ(EditText(dlg.plain), "as it was");
  EXPECT_EQ(dlg.plain.GetCount(), 0);

  browse_folder(dlg.plain, "Work directory");
  ASSERT_EQ(prompts.folderTitles.size(), 2u);
  EXPECT_EQ(prompts.folderTitles[1], "Work directory");
}

TEST_F(ComboSupport, ChosenFolderArrivesWithForwardSlashesAndTopsTheHistory) {
  const bool madeData = ::CreateDirectoryA("C:\\data", nullptr) != 0;
  const bool madeIn = ::CreateDirectoryA("C:\\data\\in", nullptr) != 0;
  {
    ScriptedPrompts prompts;
    prompts.nextFolder = "C:\\data\\in";
    dlg.plain.AddString("D:/old");
    browse_folder(dlg.plain, nullptr);
    EXPECT_EQ(EditText(dlg.plain), "C:/data/in");
    EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"C:/data/in", "D:/old"}));
    EXPECT_TRUE(HasFocus(dlg.plain));
  }
  if (madeIn) ::RemoveDirectoryA("C:\\data\\in");
  if (madeData) ::RemoveDirectoryA("C:\\data");
}

namespace {
BROWSEINFOA seenBrowse;
std::string seenBrowseTitle;
PIDLIST_ABSOLUTE RecordBrowse(BROWSEINFOA* bi) {
  seenBrowse = *bi;
  seenBrowseTitle = bi->lpszTitle ? bi->lpszTitle : "<null>";
  return nullptr;
}

OPENFILENAMEA seenOpen;
std::string seenFilterBytes, seenInitialFile;
BOOL RecordOpen(OPENFILENAMEA* ofn) {
  seenOpen = *ofn;
  // The filter up to and including its two closing nulls.
  const char* p = ofn->lpstrFilter;
  std::size_t n = 0;
  while (p && !(p[n] == '\0' && p[n + 1] == '\0')) ++n;
  seenFilterBytes = p ? std::string(p, n + 2) : "<null>";
  seenInitialFile = ofn->lpstrFile ? ofn->lpstrFile : "<null>";
  return FALSE;
}
}  // namespace

TEST_F(ComboSupport, FolderBrowserIsOwnedByTheDialogRootedAtTheDesktopForDirectoriesOnly) {
  PromptHooks previous = SetPromptHooks({nullptr, nullptr, RecordBrowse, nullptr, nullptr});
  browse_folder(dlg.plain, nullptr);
  SetPromptHooks(previous);
  EXPECT_EQ(seenBrowse.hwndOwner, dlg.Handle());
  EXPECT_EQ(seenBrowse.pidlRoot, nullptr);
  EXPECT_EQ(seenBrowse.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
  EXPECT_EQ(seenBrowse.lpfn, nullptr);
  EXPECT_NE(seenBrowse.pszDisplayName, nullptr);
  EXPECT_EQ(seenBrowseTitle, "Please select a directory");
}

TEST_F(ComboSupport, CancelledFileDialogLeavesTheFieldAndSawFilterAndFlags) {
  ScriptedPrompts prompts;
  dlg.plain.SetText("as it was");
  browse_file(dlg.plain, "Log files (*.log)|*.log|All files (*.*)|*.*|");
  ASSERT_EQ(prompts.fileDialogs.size(), 1u);
  EXPECT_EQ(prompts.fileDialogs[0].filter, "Log files (*.log)|*.log|All files (*.*)|*.*|");
  EXPECT_EQ(prompts.fileDialogs[0].flags, 0x2104u);
  EXPECT_EQ(prompts.fileDialogs[0].owner, dlg.plain.Handle());
  EXPECT_EQ(EditText(dlg.plain), "as it was");
  EXPECT_EQ(dlg.plain.GetCount(), 0);
}

TEST_F(ComboSupport, ChosenFileArrivesWithForwardSlashesAndTopsTheHistory) {
  ScriptedPrompts prompts;
  prompts.nextFile = "C:\\data\\in\\progress.log";
  dlg.plain.AddString("C:/old.log");
  browse_file(dlg.plain, "Log files (*.log)|*.log|All files (*.*)|*.*|");
  EXPECT_EQ(EditText(dlg.plain), "C:/data/in/progress.log");
  EXPECT_EQ(Items(dlg.plain), (std::vector<std::string>{"C:/data/in/progress.log", "C:/old.log"}));
  EXPECT_TRUE(HasFocus(dlg.plain));
}

TEST_F(ComboSupport, FileDialogGetsThePlatformFilterAnEmptyNameAndNoDefaults) {
  PromptHooks previous = SetPromptHooks({nullptr, RecordOpen, nullptr, nullptr, nullptr});
  browse_file(dlg.plain, "Log files (*.log)|*.log|All files (*.*)|*.*|");
  EXPECT_EQ(seenFilterBytes, std::string("Log files (*.log)\0*.log\0All files (*.*)\0*.*\0\0", 45));
  EXPECT_EQ(seenOpen.lStructSize, sizeof(OPENFILENAMEA));
  EXPECT_EQ(seenOpen.hwndOwner, dlg.plain.Handle());
  EXPECT_EQ(seenOpen.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_CREATEPROMPT));
  EXPECT_EQ(seenOpen.lpstrInitialDir, nullptr);
  EXPECT_EQ(seenOpen.lpstrDefExt, nullptr);
  EXPECT_GE(seenOpen.nMaxFile, static_cast<DWORD>(MAX_PATH));
  EXPECT_EQ(seenInitialFile, "");

  // A filter without its closing "|" still ends with two nulls.
  browse_file(dlg.plain, "Text|*.txt");
  EXPECT_EQ(seenFilterBytes, std::string("Text\0*.txt\0\0", 12));
  SetPromptHooks(previous);
}

// --- Fixed-choice lists --------------------------------------------------------------------

TEST_F(ComboSupport, FillChoicesAddsInOrderAndSelectsTheIndexOrItemZero) {
  const char* const texts[] = {"Default", "Never", "Always", "Ask", nullptr};
  fill_choices(dlg.list, texts, 2);
  EXPECT_EQ(Items(dlg.list), (std::vector<std::string>{"Default", "Never", "Always", "Ask"}));
  EXPECT_EQ(dlg.list.GetSelIndex(), 2);
  EXPECT_EQ(EditText(dlg.list), "Always");

  for (int index : {4, 9, -1}) {
    dlg.list.Clear();
    fill_choices(dlg.list, texts, index);
    EXPECT_EQ(dlg.list.GetCount(), 4);
    EXPECT_EQ(dlg.list.GetSelIndex(), 0) << index;
  }

  dlg.list.Clear();
  fill_choices(dlg.list, texts, 3);
  EXPECT_EQ(dlg.list.GetSelIndex(), 3);
}
