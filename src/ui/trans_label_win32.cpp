#include "ui/trans_label_win32.h"

#include <memory>
#include <string>
#include <utility>

namespace wc {

namespace {

constexpr char kClassName[] = "WordCombinerTransLabel";

struct Handover {
  std::unique_ptr<TransLabelLook> look;
};

TransLabelLook* LookOf(HWND window) {
  return reinterpret_cast<TransLabelLook*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int KeysHeld(WPARAM wParam) {
  return ((wParam & MK_CONTROL) ? 1 : 0) | ((wParam & MK_SHIFT) ? 2 : 0) |
         ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

void Paint(HWND window, TransLabelLook& look) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  // Whatever lies behind has been painted by then (no ancestor clips its children, and the
  // window is WS_EX_TRANSPARENT); only the text goes on top.
  RECT area;
  GetClientRect(window, &area);
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  HFONT font = look.font ? look.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.color);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, look.format);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

LRESULT CALLBACK TransLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      // From here on the window owns its look and frees it when it goes, also when its
      // creation fails later on.
      auto* handover =
          static_cast<Handover*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(handover->look.release()));
      break;
    }
    case WM_ERASEBKGND:
      return 1;  // nothing of our own behind the text
    case WM_PAINT:
      if (TransLabelLook* look = LookOf(window)) {
        Paint(window, *look);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      // Without a background the old text would stay under the new one: everything behind
      // the label paints afresh, from the top-level window down.
      RECT place;
      GetWindowRect(window, &place);
      HWND root = GetAncestor(window, GA_ROOT);
      MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&place), 2);
      RedrawWindow(root, &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return result;
    }
    case WM_LBUTTONDOWN:
      if (TransLabelLook* look = LookOf(window); look && look->onLeftButtonDown) {
        look->onLeftButtonDown(static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam)), KeysHeld(wParam));
      }
      return 0;
    case WM_NCDESTROY:
      delete LookOf(window);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterOnce(HINSTANCE instance) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kClassName, &existing)) return true;
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = TransLabelProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.lpszClassName = kClassName;
  return RegisterClassExA(&cls) != 0;
}

}  // namespace

HWND CreateTransLabel(HINSTANCE instance, HWND parent, std::string_view text, RECT place,
                      TransLabelLook look) {
  if (!RegisterOnce(instance)) return nullptr;
  Handover handover{std::make_unique<TransLabelLook>(std::move(look))};
  return CreateWindowExA(WS_EX_TRANSPARENT, kClassName, std::string(text).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, parent, nullptr,
                         instance, &handover);
}

}  // namespace wc
