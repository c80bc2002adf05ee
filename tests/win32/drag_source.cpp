#include "win32/drag_source.h"

#include <windows.h>
#include <ole2.h>

#include "win32/test_data_object.h"

namespace wc::testing {

namespace {

constexpr char kClassName[] = "WordCombinerTestDragSource";

struct DragState {
  std::string kind;
  std::vector<std::string> items;
  int exitCode = 0;
};

LRESULT CALLBACK DragSourceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DragState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (state == nullptr) break;
      ComPtr<TestDataObject> data = state->kind == kDragText
                                        ? TestDataObject::Text(state->items.at(0))
                                        : TestDataObject::FileList(state->items);
      ComPtr<TestDropSource> source = TestDropSource::Create();
      DWORD effect = DROPEFFECT_NONE;
      const HRESULT answer = DoDragDrop(
          data.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
      const int kind = answer == DRAGDROP_S_DROP     ? kDragDropped
                       : answer == DRAGDROP_S_CANCEL ? kDragCancelled
                                                     : kDragFailed;
      state->exitCode = kind + static_cast<int>(effect);
      DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunDragSource(int left, int top, const std::string& kind,
                  const std::vector<std::string>& items) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = DragSourceProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  cls.lpszClassName = kClassName;
  RegisterClassExA(&cls);
  DragState state{kind, items};
  HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, kDragSourceTitle,
                                WS_POPUP | WS_BORDER | WS_VISIBLE, left, top, 160, 120, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) return 2;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  OleUninitialize();
  return state.exitCode;
}

}  // namespace wc::testing
