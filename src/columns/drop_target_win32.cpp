#include "columns/drop_target_win32.h"

#include <shellapi.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "columns/drop_effect.h"
#include "columns/file_drop.h"

namespace wc {

namespace {

static_assert(kDropNone == DROPEFFECT_NONE && kDropCopy == DROPEFFECT_COPY &&
                  kDropMove == DROPEFFECT_MOVE && kDropLink == DROPEFFECT_LINK,
              "the portable effects must be the platform's");

// A file list in global memory is the only form the boxes take.
FORMATETC FileListFormat() {
  return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

struct ReleaseMedium {
  void operator()(STGMEDIUM* medium) const { ReleaseStgMedium(medium); }
};

// The paths of the dropped files in the source's order; empty when the data holds no file list.
std::optional<std::vector<std::string>> DroppedPaths(IDataObject& data) {
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (FAILED(data.GetData(&format, &medium))) return std::nullopt;
  std::unique_ptr<STGMEDIUM, ReleaseMedium> owned(&medium);
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) return std::nullopt;
  HDROP files = static_cast<HDROP>(medium.hGlobal);
  const UINT count = DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  paths.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(files, i, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(files, i, path.data(), length + 1));
    paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace

ComPtr<Win32DropTarget> Win32DropTarget::Create(DropHandler onFileDropped) {
  return ComPtr<Win32DropTarget>(new Win32DropTarget(std::move(onFileDropped)));
}

bool Win32DropTarget::Attach(HWND window) {
  if (window_ != nullptr || window == nullptr) return false;
  if (FAILED(RegisterDragDrop(window, this))) return false;
  window_ = window;
  registered_ = true;
  return true;
}

void Win32DropTarget::Revoke() {
  if (!registered_) return;
  RevokeDragDrop(window_);
  registered_ = false;
}

HRESULT Win32DropTarget::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG Win32DropTarget::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG Win32DropTarget::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

DWORD Win32DropTarget::ChooseEffect(DWORD keys, DWORD allowed) const {
  return ChooseDropEffect(acceptable_, (keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0, allowed);
}

HRESULT Win32DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  FORMATETC format = FileListFormat();
  acceptable_ = data != nullptr && data->QueryGetData(&format) == S_OK;
  *effect = ChooseEffect(keys, *effect);
  return S_OK;
}

HRESULT Win32DropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  *effect = ChooseEffect(keys, *effect);
  return S_OK;
}

HRESULT Win32DropTarget::DragLeave() {
  acceptable_ = false;
  return S_OK;
}

HRESULT Win32DropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  *effect = ChooseEffect(keys, *effect);
  if (*effect != DROPEFFECT_NONE && data != nullptr) {
    // No C++ exception may leave for OLE's frames; a list too big to copy is no drop.
    try {
      if (const std::optional<std::vector<std::string>> paths = DroppedPaths(*data)) {
        onFileDropped_(DropArgument(*paths));
      }
    } catch (const std::bad_alloc&) {
    }
  }
  acceptable_ = false;
  // Failure whatever happened: a source that offered to move the file then keeps its file,
  // since the box took a copy of the text and nothing else.
  return E_FAIL;
}

}  // namespace wc
