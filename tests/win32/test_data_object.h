#pragma once
// A drag's data as the tests make it: a file list (CF_HDROP in global memory) or plain text
// only, with a count of what the drop target asked of it.

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "columns/drop_target_win32.h"

namespace wc::testing {

class TestDataObject final : public IDataObject {
 public:
  // A file list of these ANSI paths; `wide` stores them as UTF-16, as the shell does.
  static ComPtr<TestDataObject> FileList(const std::vector<std::string>& paths, bool wide = true);
  // Text only, as an editor offers a selection.
  static ComPtr<TestDataObject> Text(const std::string& text);

  int getDataCalls = 0;
  // Media handed out by GetData and released again by whoever took them.
  int mediaGiven = 0;
  int mediaReleased = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  TestDataObject(CLIPFORMAT format, std::string bytes)
      : format_(format), bytes_(std::move(bytes)) {}
  ~TestDataObject() = default;
  bool Offers(const FORMATETC& format) const;

  LONG references_ = 1;
  CLIPFORMAT format_;
  std::string bytes_;  // the content of the global memory GetData hands out
};

// A drop source that drops when the left button goes up and cancels on Esc.
class TestDropSource final : public IDropSource {
 public:
  static ComPtr<TestDropSource> Create();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  TestDropSource() = default;
  ~TestDropSource() = default;
  LONG references_ = 1;
};

}  // namespace wc::testing
