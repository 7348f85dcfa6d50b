// Filling history combo boxes without typing: dragged text, dropped files, the folder
// browser and the open-file dialog; and filling fixed-choice lists from a table.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <memory>
#include "controls.h"
#include "history_combo.h"

// An OLE drop target that puts dragged text (CF_TEXT) into one combo box and commits it.
// The owning window holds it as a member; the reference count never frees it.
class TComboBoxDropTarget : public IDropTarget {
public:
  explicit TComboBoxDropTarget(const TComboBox& combo) : combo_(combo) {}
  TComboBoxDropTarget(const TComboBoxDropTarget&) = delete;
  TComboBoxDropTarget& operator=(const TComboBoxDropTarget&) = delete;
  virtual ~TComboBoxDropTarget();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

  LONG RefCount() const { return refs_; }
  bool HoldsData() const { return held_ != nullptr; }

private:
  LONG refs_ = 0;
  const TComboBox& combo_;
  IDataObject* held_ = nullptr;
};

// A history combo box that takes a file dropped on itself (WS_EX_ACCEPTFILES in its
// template).
class TDrop1ComboBox : public THistoryComboBox {
public:
  using THistoryComboBox::THistoryComboBox;
  void SetupWindow() override;
protected:
  bool WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
};

// The first dropped file's path, with forward slashes after its root, into the combo.
void accept_dropped_file(const TComboBox& combo, HDROP drop);
// The shell's folder browser; `title` null means "Please select a directory".
void browse_folder(const TComboBox& combo, const char* title);
// The open-file dialog; `filter` is written "desc|pattern|desc|pattern|".
void browse_file(const TComboBox& combo, const char* filter);
// The "desc|pattern|...|" filter in the platform's form: every "|" a null, and the whole
// ended by two nulls. Double-byte characters are stepped over, so a trail byte equal to
// "|" does not split one. Null for a null filter or when memory runs out.
std::unique_ptr<char[]> platform_filter(const char* filter);
// Adds the null-terminated `texts` in order and selects `index`, or item 0 when out of range.
void fill_choices(const TComboBox& combo, const char* const* texts, int index);
