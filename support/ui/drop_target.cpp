// The OLE drop target for dragged text and the combo box that takes dropped files.
#include <cstring>
#include <memory>
#include <new>

#include "combo_support.h"
#include "history.h"

namespace {

// A drop only ever copies the text. Answering "move" would let the source delete what was
// dragged (text cut out of an editor, a file from a folder) once it lands here, so the answer
// is "copy" when the source allows it, else "link" (a link dragged out of a browser's address
// bar or a shortcut offers nothing else, and a link leaves the source as it is), else nothing.
DWORD answer_for(const DWORD* effect) {
  if (!effect) return DROPEFFECT_NONE;
  if (*effect & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return *effect & DROPEFFECT_LINK;
}

FORMATETC text_format() {
  FORMATETC format{};
  format.cfFormat = CF_TEXT;
  format.ptd = nullptr;
  format.dwAspect = DVASPECT_CONTENT;
  format.lindex = -1;
  format.tymed = TYMED_HGLOBAL;
  return format;
}

// The text of a CF_TEXT block: its bytes up to the first null, or up to the block's size
// when the sender left the null out. Null when it cannot be read.
std::unique_ptr<char[]> block_text(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  const char* data = static_cast<const char*>(GlobalLock(block));
  if (!data) return nullptr;
  const void* nul = std::memchr(data, '\0', size);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data) : size;
  std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
  if (text) {
    std::memcpy(text.get(), data, length);
    text[length] = '\0';
  }
  GlobalUnlock(block);
  return text;
}

}  // namespace

TComboBoxDropTarget::~TComboBoxDropTarget() {
  if (held_) held_->Release();
}

HRESULT STDMETHODCALLTYPE TComboBoxDropTarget::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TComboBoxDropTarget::AddRef() { return static_cast<ULONG>(++refs_); }

// The owning window holds the target as a member: reaching zero frees nothing.
ULONG STDMETHODCALLTYPE TComboBoxDropTarget::Release() { return static_cast<ULONG>(--refs_); }

HRESULT STDMETHODCALLTYPE TComboBoxDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (held_) {
    held_->Release();
    held_ = nullptr;
  }
  FORMATETC format = text_format();
  const bool offersText = data && data->QueryGetData(&format) == S_OK;
  if (offersText) {
    held_ = data;
    held_->AddRef();
  }
  if (effect) *effect = offersText ? answer_for(effect) : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TComboBoxDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = held_ ? answer_for(effect) : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TComboBoxDropTarget::DragLeave() {
  if (held_) {
    held_->Release();
    held_ = nullptr;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TComboBoxDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  const DWORD accepted = answer_for(effect);
  if (effect) *effect = DROPEFFECT_NONE;
  if (!held_) return E_FAIL;
  held_->Release();
  held_ = nullptr;
  if (!data) return E_FAIL;

  FORMATETC format = text_format();
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return E_FAIL;
  std::unique_ptr<char[]> text;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) text = block_text(medium.hGlobal);
  // The platform's rule: GlobalFree of the block, or the provider's release.
  ReleaseStgMedium(&medium);
  if (!text) return E_FAIL;

  combo_.SetText(text.get());
  commit_combo_text(combo_, CommitMode::kAdd);
  combo_.SetFocus();
  if (effect) *effect = accepted;
  return S_OK;
}

void TDrop1ComboBox::SetupWindow() {
  THistoryComboBox::SetupWindow();
  Subclass();
}

bool TDrop1ComboBox::WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_DROPFILES) {
    accept_dropped_file(*this, reinterpret_cast<HDROP>(w));
    result = 0;
    return true;
  }
  return THistoryComboBox::WindowProc(msg, w, l, result);
}
