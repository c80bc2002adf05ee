#include "win32/test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace wc::testing {

namespace {

// DROPFILES followed by each path with its NUL, and one more NUL at the end.
std::string DropFilesBytes(const std::vector<std::string>& paths, bool wide) {
  DROPFILES header = {};
  header.pFiles = sizeof header;
  header.fWide = wide;
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::string& path : paths) {
    if (wide) {
      const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
      std::wstring converted(static_cast<std::size_t>(length), L'\0');  // with its NUL
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, converted.data(), length);
      bytes.append(reinterpret_cast<const char*>(converted.data()),
                   converted.size() * sizeof(wchar_t));
    } else {
      bytes.append(path.c_str(), path.size() + 1);
    }
  }
  bytes.append(wide ? sizeof(wchar_t) : 1, '\0');
  return bytes;
}

// Frees the memory of one medium when the taker releases it, and counts that it did.
class MediumOwner final : public IUnknown {
 public:
  MediumOwner(HGLOBAL memory, int& released) : memory_(memory), released_(released) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      GlobalFree(memory_);
      ++released_;
      delete this;
    }
    return left;
  }

 private:
  ~MediumOwner() = default;
  ULONG references_ = 1;
  HGLOBAL memory_;
  int& released_;
};

}  // namespace

ComPtr<TestDataObject> TestDataObject::FileList(const std::vector<std::string>& paths, bool wide) {
  return ComPtr<TestDataObject>(new TestDataObject(CF_HDROP, DropFilesBytes(paths, wide)));
}

ComPtr<TestDataObject> TestDataObject::Text(const std::string& text) {
  return ComPtr<TestDataObject>(new TestDataObject(CF_TEXT, text + '\0'));
}

HRESULT TestDataObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TestDataObject::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG TestDataObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

bool TestDataObject::Offers(const FORMATETC& format) const {
  return format.cfFormat == format_ && (format.tymed & TYMED_HGLOBAL) != 0 &&
         format.dwAspect == DVASPECT_CONTENT;
}

HRESULT TestDataObject::QueryGetData(FORMATETC* format) {
  if (format == nullptr) return E_INVALIDARG;
  return Offers(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_INVALIDARG;
  ++getDataCalls;
  if (!Offers(*format)) return DV_E_FORMATETC;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
  if (memory == nullptr) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = new MediumOwner(memory, mediaReleased);
  ++mediaGiven;
  return S_OK;
}

HRESULT TestDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out != nullptr) out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TestDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (formats == nullptr) return E_INVALIDARG;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  FORMATETC offered = {format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return SHCreateStdEnumFmtEtc(1, &offered, formats);
}

ComPtr<TestDropSource> TestDropSource::Create() {
  return ComPtr<TestDropSource>(new TestDropSource());
}

HRESULT TestDropSource::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
    *object = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TestDropSource::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG TestDropSource::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TestDropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
  if (escape) return DRAGDROP_S_CANCEL;
  return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

}  // namespace wc::testing
