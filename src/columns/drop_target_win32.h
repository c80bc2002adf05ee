#pragma once
// The OLE drop target of one column box: a file list dragged onto the box is taken, anything
// else (text, HTML, links) is refused with the no-drop cursor. What a drop means for the
// column is not decided here: the dropped paths go to whoever created the target.

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <string_view>

namespace wc {

// Owns one reference to a COM object.
struct ComRelease {
  void operator()(IUnknown* object) const {
    if (object != nullptr) object->Release();
  }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease>;

class Win32DropTarget final : public IDropTarget {
 public:
  // Called inside Drop with the one dropped path, or every path followed by "\r\n".
  using DropHandler = std::function<void(std::string_view argument)>;

  static ComPtr<Win32DropTarget> Create(DropHandler onFileDropped);

  // Registers the target for `window`. A target is attached once in its life: false, and
  // nothing done, when it was attached before; false as well when OLE refuses.
  bool Attach(HWND window);
  // Takes the registration back; to be called while the window still exists.
  void Revoke();
  HWND Window() const { return window_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  explicit Win32DropTarget(DropHandler onFileDropped) : onFileDropped_(std::move(onFileDropped)) {}
  ~Win32DropTarget() = default;
  DWORD ChooseEffect(DWORD keys, DWORD allowed) const;

  LONG references_ = 1;
  HWND window_ = nullptr;
  bool registered_ = false;
  // Whether the drag now over the box carries a file list; false while no drag is over it.
  bool acceptable_ = false;
  DropHandler onFileDropped_;
};

}  // namespace wc
