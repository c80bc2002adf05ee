#include "ui/skin_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace wc {

namespace {

// What the skin knows how to draw, by window class.
enum class Family : std::uint8_t {
  Button,      // push buttons, check boxes, radio buttons, group boxes
  Edit,        // edit boxes: only their frame, the text stays the control's own
  ComboBox,    // the frame and the drop-down button over the control's own drawing
  ComboList,   // the drop-down list of a combo box: its frame
  SpinButton,  // spin buttons, drawn whole
};

struct TakenWindow {
  WNDPROC original = nullptr;
  Family family = Family::Button;
  bool hot = false;  // the mouse is over it
  // The skin is gone but somebody subclassed the window after it took it over: its
  // procedure cannot be taken out of the chain, so it passes everything on until the end.
  bool handedBack = false;
};

// Everything the skin holds. It serves one thread, the one that installed it.
struct SkinState {
  HHOOK hook = nullptr;
  DWORD thread = 0;
  int scheme = 0;  // 0: not installed
  std::unordered_map<HWND, TakenWindow> windows;
};

SkinState& Skin() {
  static SkinState state;
  return state;
}

TakenWindow* Find(HWND window) {
  const auto it = Skin().windows.find(window);
  return it == Skin().windows.end() ? nullptr : &it->second;
}

// --- GDI helpers -------------------------------------------------------------------------

template <typename Handle>
struct GdiDeleter {
  void operator()(Handle object) const { DeleteObject(object); }
};
template <typename Handle>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter<Handle>>;

// Selects an object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Paints into a bitmap first and copies it to the target in one go, so that a control
// never shows half its drawing.
class Buffered {
 public:
  Buffered(HDC target, int width, int height)
      : target_(target),
        width_(width),
        height_(height),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, std::max(width, 1), std::max(height, 1))),
        selected_(std::in_place, dc_, bitmap_.get()) {}
  ~Buffered() {
    BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
    selected_.reset();
    DeleteDC(dc_);
  }
  Buffered(const Buffered&) = delete;
  Buffered& operator=(const Buffered&) = delete;

  HDC Dc() const { return dc_; }

 private:
  HDC target_;
  int width_;
  int height_;
  HDC dc_;
  UniqueGdi<HBITMAP> bitmap_;
  std::optional<Selected> selected_;
};

COLORREF Mix(COLORREF from, COLORREF to, int percentOfTo) {
  auto channel = [&](int a, int b) { return (a * (100 - percentOfTo) + b * percentOfTo) / 100; };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A one-pixel frame just inside `area`.
void Frame(HDC dc, const RECT& area, COLORREF colour) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  Fill(dc, {area.left, area.top, area.right, area.top + 1}, colour);
  Fill(dc, {area.left, area.bottom - 1, area.right, area.bottom}, colour);
  Fill(dc, {area.left, area.top, area.left + 1, area.bottom}, colour);
  Fill(dc, {area.right - 1, area.top, area.right, area.bottom}, colour);
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  return {x,
          y,
          static_cast<COLOR16>(GetRValue(colour) << 8),
          static_cast<COLOR16>(GetGValue(colour) << 8),
          static_cast<COLOR16>(GetBValue(colour) << 8),
          0};
}

void VerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  TRIVERTEX corners[2] = {Vertex(area.left, area.top, top),
                          Vertex(area.right, area.bottom, bottom)};
  GRADIENT_RECT rect = {0, 1};
  GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

RECT Inset(RECT area, int by) {
  InflateRect(&area, -by, -by);
  return area;
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(std::max(GetWindowTextA(window, text.data(), length + 1), 0)));
  return text;
}

HFONT FontOf(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// The brush the parent wants behind the control, as the control itself would ask for it.
HBRUSH ParentBrush(HWND window, HDC dc, UINT colourMessage) {
  HWND parent = GetParent(window);
  HBRUSH brush = nullptr;
  if (parent != nullptr) {
    brush = reinterpret_cast<HBRUSH>(SendMessageA(
        parent, colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  }
  return brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

// --- Colours -----------------------------------------------------------------------------

struct Palette {
  COLORREF frame;
  COLORREF top;  // gradient of a face at rest
  COLORREF bottom;
  COLORREF mark;  // check marks, dots and arrows
  COLORREF text;
};

enum class Press : std::uint8_t { Rest, Hot, Pushed };

Palette PaletteFor(bool enabled) {
  if (!enabled) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return {SkinDisabledFrameColour(), Mix(face, kWhite, 60), face, GetSysColor(COLOR_GRAYTEXT),
            GetSysColor(COLOR_GRAYTEXT)};
  }
  const COLORREF frame = SkinFrameColour(Skin().scheme);
  return {frame, Mix(kWhite, frame, 8), Mix(kWhite, frame, 45), Mix(frame, kBlack, 60),
          GetSysColor(COLOR_BTNTEXT)};
}

// A face: at rest light above and tinted below; under the mouse more tinted; pushed the other
// way round, so it looks pressed in.
void Face(HDC dc, const RECT& area, const Palette& palette, Press press) {
  switch (press) {
    case Press::Rest:
      VerticalGradient(dc, area, palette.top, palette.bottom);
      break;
    case Press::Hot:
      VerticalGradient(dc, area, palette.top, Mix(palette.bottom, palette.frame, 45));
      break;
    case Press::Pushed:
      VerticalGradient(dc, area, Mix(palette.bottom, palette.frame, 30), palette.top);
      break;
  }
}

// --- Buttons -----------------------------------------------------------------------------

enum class ButtonLook : std::uint8_t { Push, Check, Radio, Group, None };

ButtonLook LookOf(LONG style) {
  // A button with a picture of the program's own, owner-drawn buttons, split buttons and
  // command links keep their own look.
  if (style & (BS_BITMAP | BS_ICON)) return ButtonLook::None;
  const bool pushLike = (style & BS_PUSHLIKE) != 0;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ButtonLook::Push;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return pushLike ? ButtonLook::Push : ButtonLook::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return pushLike ? ButtonLook::Push : ButtonLook::Radio;
    case BS_GROUPBOX:
      return ButtonLook::Group;
    default:
      return ButtonLook::None;
  }
}

struct ButtonState {
  LONG style;
  bool enabled;
  bool focused;
  bool showFocus;
  bool hidePrefix;
  Press press;
  LRESULT check;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
};

bool MouseOver(HWND window) {
  POINT cursor;
  RECT place;
  return GetCursorPos(&cursor) && GetWindowRect(window, &place) && PtInRect(&place, cursor);
}

ButtonState StateOf(HWND window) {
  const LRESULT state = SendMessageA(window, BM_GETSTATE, 0, 0);
  const LRESULT ui = SendMessageA(window, WM_QUERYUISTATE, 0, 0);
  const TakenWindow* taken = Find(window);
  ButtonState s{};
  s.style = GetWindowLongA(window, GWL_STYLE);
  s.enabled = IsWindowEnabled(window) != FALSE;
  s.focused = GetFocus() == window;
  s.showFocus = (ui & UISF_HIDEFOCUS) == 0;
  s.hidePrefix = (ui & UISF_HIDEACCEL) != 0;
  s.check = SendMessageA(window, BM_GETCHECK, 0, 0);
  if (!s.enabled) {
    s.press = Press::Rest;
  } else if (state & BST_PUSHED) {
    s.press = Press::Pushed;
  } else if (taken != nullptr && taken->hot && MouseOver(window)) {
    s.press = Press::Hot;
  } else {
    s.press = Press::Rest;
  }
  return s;
}

UINT HorizontalAlignment(LONG style, UINT fallback) {
  switch (style & BS_CENTER) {
    case BS_LEFT:
      return DT_LEFT;
    case BS_RIGHT:
      return DT_RIGHT;
    case BS_CENTER:
      return DT_CENTER;
    default:
      return fallback;
  }
}

// Draws a caption in `box` as the control would place it; returns where the text went.
RECT DrawCaption(HDC dc, const std::string& text, RECT box, const ButtonState& s,
                 UINT horizontalFallback) {
  UINT format = HorizontalAlignment(s.style, horizontalFallback);
  if (s.hidePrefix) format |= DT_HIDEPREFIX;
  const bool multiline = (s.style & BS_MULTILINE) != 0;
  RECT measured = box;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            format | DT_CALCRECT | (multiline ? DT_WORDBREAK : DT_SINGLELINE));
  const int height = measured.bottom - measured.top;
  int top = box.top + (box.bottom - box.top - height) / 2;
  switch (s.style & BS_VCENTER) {
    case BS_TOP:
      top = box.top;
      break;
    case BS_BOTTOM:
      top = box.bottom - height;
      break;
    default:
      break;
  }
  RECT at = {box.left, top, box.right, top + height};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &at,
            format | (multiline ? DT_WORDBREAK : DT_SINGLELINE));
  // The text's own extent, for the focus rectangle.
  const int width = std::min(measured.right - measured.left, box.right - box.left);
  int left = box.left;
  if (format & DT_CENTER) left = box.left + (box.right - box.left - width) / 2;
  if (format & DT_RIGHT) left = box.right - width;
  return {left, top, left + width, top + height};
}

void PaintPushButton(HWND window, HDC dc, const RECT& area, const ButtonState& s) {
  const Palette palette = PaletteFor(s.enabled);
  // A push-like check box shows its checked state as held down.
  Press press = s.press;
  if ((s.style & BS_PUSHLIKE) && s.check == BST_CHECKED) press = Press::Pushed;
  Face(dc, area, palette, press);
  Frame(dc, area, palette.frame);
  if ((s.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && s.enabled) {
    Frame(dc, Inset(area, 1), Mix(palette.frame, kBlack, 30));
  }
  RECT box = Inset(area, 3);
  if (press == Press::Pushed) OffsetRect(&box, 1, 1);
  Selected font(dc, FontOf(window));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette.text);
  DrawCaption(dc, TextOf(window), box, s, DT_CENTER);
  if (s.focused && s.showFocus) {
    const RECT focus = Inset(area, 3);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    DrawFocusRect(dc, &focus);
  }
}

constexpr int kMarkSize = 13;

void PaintCheckMark(HDC dc, RECT box, const ButtonState& s, const Palette& palette) {
  if (s.check == BST_INDETERMINATE) {
    Fill(dc, Inset(box, 3), palette.mark);
    return;
  }
  if (s.check != BST_CHECKED) return;
  UniqueGdi<HPEN> pen(CreatePen(PS_SOLID, 1, palette.mark));
  Selected selected(dc, pen.get());
  for (int i = 0; i < 3; ++i) {  // three one-pixel strokes make a firm tick
    MoveToEx(dc, box.left + 3, box.top + 5 + i, nullptr);
    LineTo(dc, box.left + 5, box.top + 7 + i);
    LineTo(dc, box.left + 10, box.top + 2 + i);
  }
}

void PaintCheckOrRadio(HWND window, HDC dc, const RECT& area, const ButtonState& s, bool radio) {
  HBRUSH background = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
  const COLORREF parentText = GetTextColor(dc);
  FillRect(dc, &area, background);

  const Palette palette = PaletteFor(s.enabled);
  const bool markRight = (s.style & BS_LEFTTEXT) != 0;
  int top = area.top + (area.bottom - area.top - kMarkSize) / 2;
  if ((s.style & BS_VCENTER) == BS_TOP) top = area.top;
  if ((s.style & BS_VCENTER) == BS_BOTTOM) top = area.bottom - kMarkSize;
  const int left = markRight ? area.right - kMarkSize : area.left;
  const RECT mark = {left, top, left + kMarkSize, top + kMarkSize};

  if (radio) {
    UniqueGdi<HRGN> round(CreateEllipticRgn(mark.left, mark.top, mark.right + 1, mark.bottom + 1));
    SelectClipRgn(dc, round.get());
    Face(dc, mark, palette, s.press);
    SelectClipRgn(dc, nullptr);
    UniqueGdi<HBRUSH> frame(CreateSolidBrush(palette.frame));
    FrameRgn(dc, round.get(), frame.get(), 1, 1);
    if (s.check == BST_CHECKED) {
      UniqueGdi<HRGN> dot(
          CreateEllipticRgn(mark.left + 4, mark.top + 4, mark.right - 3, mark.bottom - 3));
      UniqueGdi<HBRUSH> dotBrush(CreateSolidBrush(palette.mark));
      FillRgn(dc, dot.get(), dotBrush.get());
    }
  } else {
    Face(dc, Inset(mark, 1), palette, s.press);
    Frame(dc, mark, palette.frame);
    PaintCheckMark(dc, mark, s, palette);
  }

  RECT box = area;
  if (markRight) {
    box.right = mark.left - 4;
  } else {
    box.left = mark.right + 4;
  }
  Selected font(dc, FontOf(window));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, s.enabled ? parentText : palette.text);
  const RECT text = DrawCaption(dc, TextOf(window), box, s, DT_LEFT);
  if (s.focused && s.showFocus && text.right > text.left) {
    RECT focus = text;
    InflateRect(&focus, 1, 1);
    IntersectRect(&focus, &focus, &area);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    DrawFocusRect(dc, &focus);
  }
}

// A panel with a thin frame; the caption sits in a gap of the frame's top line. Whatever
// lies inside (a transparent label, say) paints itself over this afterwards.
void PaintGroupBox(HWND window, HDC dc, const RECT& area, const ButtonState& s) {
  HBRUSH background = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
  const COLORREF parentText = GetTextColor(dc);
  FillRect(dc, &area, background);

  Selected font(dc, FontOf(window));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  const Palette palette = PaletteFor(s.enabled);
  RECT panel = area;
  panel.top += metrics.tmHeight / 2;
  VerticalGradient(dc, Inset(panel, 1), Mix(kWhite, palette.frame, 4),
                   Mix(kWhite, palette.frame, 22));
  Frame(dc, panel, palette.frame);

  const std::string text = TextOf(window);
  if (text.empty()) return;
  UINT format = DT_SINGLELINE | (s.hidePrefix ? DT_HIDEPREFIX : 0);
  RECT measured = {0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  const int width = std::min<int>(measured.right, area.right - area.left - 16);
  int left = area.left + 8;
  if ((s.style & BS_CENTER) == BS_CENTER)
    left = area.left + (area.right - area.left - width) / 2;
  else if ((s.style & BS_CENTER) == BS_RIGHT)
    left = area.right - 8 - width;
  RECT caption = {left, area.top, left + width, area.top + metrics.tmHeight};
  RECT gap = caption;
  InflateRect(&gap, 2, 0);
  FillRect(dc, &gap, background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, s.enabled ? parentText : palette.text);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &caption, format | DT_LEFT);
}

void PaintButton(HWND window, HDC dc) {
  RECT area;
  GetClientRect(window, &area);
  Buffered buffer(dc, area.right, area.bottom);
  const ButtonState s = StateOf(window);
  switch (LookOf(s.style)) {
    case ButtonLook::Push:
      PaintPushButton(window, buffer.Dc(), area, s);
      break;
    case ButtonLook::Check:
      PaintCheckOrRadio(window, buffer.Dc(), area, s, false);
      break;
    case ButtonLook::Radio:
      PaintCheckOrRadio(window, buffer.Dc(), area, s, true);
      break;
    case ButtonLook::Group:
      PaintGroupBox(window, buffer.Dc(), area, s);
      break;
    case ButtonLook::None:
      break;
  }
}

// --- Frames of edit boxes and lists --------------------------------------------------------

// How wide the border of the window's non-client area is.
int BorderWidth(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  int width = 0;
  if (exStyle & WS_EX_CLIENTEDGE) width += 2;
  if (exStyle & WS_EX_STATICEDGE) width += 1;
  if (exStyle & WS_EX_WINDOWEDGE) width += 2;
  if (style & WS_BORDER) width += 1;
  return width;
}

// Over the control's own border: one line in the frame colour, the rest in the colour of the
// control's face, so the sunken edge turns into a flat frame.
void PaintBorder(HWND window, HDC given, bool readOnly) {
  const int width = BorderWidth(window);
  if (width == 0) return;
  HDC dc = given != nullptr ? given : GetWindowDC(window);
  if (dc == nullptr) return;
  RECT place;
  GetWindowRect(window, &place);
  RECT ring = {0, 0, place.right - place.left, place.bottom - place.top};
  const bool enabled = IsWindowEnabled(window) != FALSE;
  const COLORREF face = GetSysColor(enabled && !readOnly ? COLOR_WINDOW : COLOR_BTNFACE);
  Frame(dc, ring, PaletteFor(enabled).frame);
  for (int i = 1; i < width; ++i) Frame(dc, Inset(ring, i), face);
  if (given == nullptr) ReleaseDC(window, dc);
}

// --- Combo boxes -------------------------------------------------------------------------

void PaintArrow(HDC dc, const RECT& area, COLORREF colour, int direction) {
  // direction: 0 down, 1 up, 2 left, 3 right. A small solid triangle in the middle.
  const int cx = (area.left + area.right) / 2;
  const int cy = (area.top + area.bottom) / 2;
  const int size = std::max(1, std::min({3, static_cast<int>(area.right - area.left) / 3,
                                         static_cast<int>(area.bottom - area.top) / 3}));
  POINT points[3];
  switch (direction) {
    case 0:
      points[0] = {cx - size, cy - size / 2};
      points[1] = {cx + size, cy - size / 2};
      points[2] = {cx, cy - size / 2 + size};
      break;
    case 1:
      points[0] = {cx - size, cy + size / 2};
      points[1] = {cx + size, cy + size / 2};
      points[2] = {cx, cy + size / 2 - size};
      break;
    case 2:
      points[0] = {cx + size / 2, cy - size};
      points[1] = {cx + size / 2, cy + size};
      points[2] = {cx + size / 2 - size, cy};
      break;
    default:
      points[0] = {cx - size / 2, cy - size};
      points[1] = {cx - size / 2, cy + size};
      points[2] = {cx - size / 2 + size, cy};
      break;
  }
  UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
  UniqueGdi<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  Selected b(dc, brush.get());
  Selected p(dc, pen.get());
  Polygon(dc, points, 3);
}

// The combo box draws its text and list itself; the skin then flattens its frame and draws
// the drop-down button.
void PaintComboOverlay(HWND window, HDC given) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if ((style & 3) == CBS_SIMPLE) return;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(window, &info)) return;
  HDC dc = given != nullptr ? given : GetDC(window);
  if (dc == nullptr) return;
  RECT area;
  GetClientRect(window, &area);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  const Palette palette = PaletteFor(enabled);
  Frame(dc, area, palette.frame);
  Frame(dc, Inset(area, 1), GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  RECT button = info.rcButton;
  if (button.right > button.left) {
    const bool pushed = (info.stateButton & STATE_SYSTEM_PRESSED) != 0;
    const TakenWindow* taken = Find(window);
    const Press press = !enabled                                                ? Press::Rest
                        : pushed                                                ? Press::Pushed
                        : (taken != nullptr && taken->hot && MouseOver(window)) ? Press::Hot
                                                                                : Press::Rest;
    Face(dc, button, palette, press);
    Frame(dc, button, palette.frame);
    PaintArrow(dc, button, palette.mark, 0);
  }
  if (given == nullptr) ReleaseDC(window, dc);
}

// --- Spin buttons --------------------------------------------------------------------------

void PaintSpin(HWND window, HDC dc) {
  RECT area;
  GetClientRect(window, &area);
  Buffered buffer(dc, area.right, area.bottom);
  const bool horizontal = (GetWindowLongA(window, GWL_STYLE) & UDS_HORZ) != 0;
  const bool enabled = IsWindowEnabled(window) != FALSE;
  const Palette palette = PaletteFor(enabled);
  RECT first = area;
  RECT second = area;
  if (horizontal) {
    first.right = second.left = (area.left + area.right) / 2;
  } else {
    first.bottom = second.top = (area.top + area.bottom) / 2;
  }
  // The half under a held mouse button is the one being pressed.
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  const bool held = enabled && GetCapture() == window && GetKeyState(VK_LBUTTON) < 0;
  const TakenWindow* taken = Find(window);
  const bool hot = enabled && taken != nullptr && taken->hot;
  auto pressOf = [&](const RECT& half) {
    if (!PtInRect(&half, cursor)) return Press::Rest;
    return held ? Press::Pushed : (hot ? Press::Hot : Press::Rest);
  };
  const RECT halves[2] = {first, second};
  for (int i = 0; i < 2; ++i) {
    Face(buffer.Dc(), halves[i], palette, pressOf(halves[i]));
    Frame(buffer.Dc(), halves[i], palette.frame);
    PaintArrow(buffer.Dc(), halves[i], palette.mark, horizontal ? 2 + i : 1 - i);
  }
}

// --- The window procedure the skin puts in front of each control ---------------------------

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT Original(const TakenWindow& taken, HWND window, UINT message, WPARAM wParam,
                 LPARAM lParam) {
  return CallWindowProcA(taken.original, window, message, wParam, lParam);
}

// Messages after which a control may have drawn itself at once, outside WM_PAINT.
bool MayDrawItself(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_UPDATEUISTATE:
    case WM_STYLECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
    case CB_SELECTSTRING:
    case UDM_SETPOS:
    case UDM_SETPOS32:
    case UDM_SETRANGE:
    case UDM_SETRANGE32:
      return true;
    default:
      return false;
  }
}

// Draws a control the skin paints whole again, now, with whatever lies inside it.
void Repaint(HWND window) {
  if (Find(window) == nullptr || !IsWindowVisible(window)) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TrackHot(HWND window, bool hot) {
  TakenWindow* taken = Find(window);
  if (taken == nullptr || taken->hot == hot) return;
  taken->hot = hot;
  if (hot) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }
}

// Buttons and spin buttons: the skin paints them whole.
LRESULT PaintedWhole(const TakenWindow& taken, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam, void (*paint)(HWND, HDC)) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      if (wParam != 0) {
        paint(window, reinterpret_cast<HDC>(wParam));
      } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        paint(window, dc);
        EndPaint(window, &ps);
      }
      return 0;
    case WM_PRINTCLIENT:
      paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEMOVE: {
      const bool wasHot = taken.hot;
      const LRESULT result = Original(taken, window, message, wParam, lParam);
      TrackHot(window, true);
      if (!wasHot || GetCapture() == window) Repaint(window);
      return result;
    }
    case WM_MOUSELEAVE: {
      const LRESULT result = Original(taken, window, message, wParam, lParam);
      TrackHot(window, false);
      Repaint(window);
      return result;
    }
    default: {
      const LRESULT result = Original(taken, window, message, wParam, lParam);
      if (MayDrawItself(message)) Repaint(window);
      return result;
    }
  }
}

// Edit boxes and drop-down lists: the control draws everything, the skin redraws the border.
LRESULT BorderOnly(const TakenWindow& taken, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
  const LRESULT result = Original(taken, window, message, wParam, lParam);
  // A read-only edit box shows the button face, not the window colour. (The style bit means
  // something else for a list.)
  auto readOnly = [&] {
    return taken.family == Family::Edit && (GetWindowLongA(window, GWL_STYLE) & ES_READONLY) != 0;
  };
  switch (message) {
    case WM_NCPAINT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_STYLECHANGED:
    case EM_SETREADONLY:
      if (Find(window) != nullptr && IsWindowVisible(window)) {
        PaintBorder(window, nullptr, readOnly());
      }
      break;
    case WM_PRINT:
      if (lParam & PRF_NONCLIENT) PaintBorder(window, reinterpret_cast<HDC>(wParam), readOnly());
      break;
    default:
      break;
  }
  return result;
}

LRESULT ComboBoxMessage(const TakenWindow& taken, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  if (message == WM_MOUSEMOVE) TrackHot(window, true);
  if (message == WM_MOUSELEAVE) TrackHot(window, false);
  const LRESULT result = Original(taken, window, message, wParam, lParam);
  if (Find(window) == nullptr || !IsWindowVisible(window)) return result;
  if (message == WM_PRINTCLIENT) {
    PaintComboOverlay(window, reinterpret_cast<HDC>(wParam));
  } else if (message == WM_PAINT || message == WM_MOUSEMOVE || message == WM_MOUSELEAVE ||
             MayDrawItself(message)) {
    PaintComboOverlay(window, message == WM_PAINT ? reinterpret_cast<HDC>(wParam) : nullptr);
  }
  return result;
}

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinState& skin = Skin();
  const auto it = skin.windows.find(window);
  if (it == skin.windows.end()) return DefWindowProcA(window, message, wParam, lParam);
  // A copy: the books may change while the control's own procedure runs.
  const TakenWindow taken = it->second;
  if (message == WM_NCDESTROY) {
    skin.windows.erase(it);
    return Original(taken, window, message, wParam, lParam);
  }
  if (taken.handedBack || skin.scheme == 0) {
    return Original(taken, window, message, wParam, lParam);
  }
  switch (taken.family) {
    case Family::Button:
      if (LookOf(GetWindowLongA(window, GWL_STYLE)) == ButtonLook::None) break;
      return PaintedWhole(taken, window, message, wParam, lParam, &PaintButton);
    case Family::SpinButton:
      return PaintedWhole(taken, window, message, wParam, lParam, &PaintSpin);
    case Family::Edit:
    case Family::ComboList:
      return BorderOnly(taken, window, message, wParam, lParam);
    case Family::ComboBox:
      return ComboBoxMessage(taken, window, message, wParam, lParam);
  }
  return Original(taken, window, message, wParam, lParam);
}

// --- Taking windows over and handing them back ----------------------------------------------

bool SameName(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(*a) != lower(*b)) return false;
  }
  return *a == *b;
}

std::optional<Family> FamilyOf(HWND window) {
  char name[64] = {};
  if (GetClassNameA(window, name, sizeof name) == 0) return std::nullopt;
  if (SameName(name, "Button")) {
    if (LookOf(GetWindowLongA(window, GWL_STYLE)) == ButtonLook::None) return std::nullopt;
    return Family::Button;
  }
  if (SameName(name, "Edit")) return Family::Edit;
  if (SameName(name, "ComboBox")) return Family::ComboBox;
  if (SameName(name, "ComboLBox")) return Family::ComboList;
  if (SameName(name, UPDOWN_CLASSA)) return Family::SpinButton;
  return std::nullopt;
}

void RedrawWhole(HWND window) {
  if (!IsWindowVisible(window)) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TakeOver(HWND window) {
  SkinState& skin = Skin();
  if (TakenWindow* taken = Find(window)) {
    // Still in the chain from an earlier skin: it draws again.
    taken->handedBack = false;
    RedrawWhole(window);
    return;
  }
  if (GetWindowThreadProcessId(window, nullptr) != skin.thread) return;
  const std::optional<Family> family = FamilyOf(window);
  if (!family) return;
  // In the books before the procedure changes: it may be called at once.
  TakenWindow& taken = skin.windows[window];
  taken.family = *family;
  const LONG_PTR previous =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinProc));
  if (previous == 0) {
    skin.windows.erase(window);
    return;
  }
  taken.original = reinterpret_cast<WNDPROC>(previous);
  RedrawWhole(window);
}

void HandBack(HWND window) {
  SkinState& skin = Skin();
  const auto it = skin.windows.find(window);
  if (it == skin.windows.end()) return;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinProc)) {
    const WNDPROC original = it->second.original;
    skin.windows.erase(it);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  } else {
    it->second.handedBack = true;
  }
  RedrawWhole(window);
}

BOOL CALLBACK TakeOverChild(HWND window, LPARAM) {
  TakeOver(window);
  return TRUE;
}

BOOL CALLBACK TakeOverWithChildren(HWND window, LPARAM) {
  TakeOver(window);
  EnumChildWindows(window, TakeOverChild, 0);  // every descendant, not only the children
  return TRUE;
}

// Sees each window of the thread as it is created, before it is shown.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && Skin().scheme != 0) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == WM_CREATE) TakeOver(sent->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RemoveSkin() {
  SkinState& skin = Skin();
  if (skin.hook != nullptr) {
    UnhookWindowsHookEx(skin.hook);
    skin.hook = nullptr;
  }
  skin.scheme = 0;
  std::vector<HWND> windows;
  windows.reserve(skin.windows.size());
  for (const auto& entry : skin.windows) windows.push_back(entry.first);
  for (HWND window : windows) HandBack(window);
}

}  // namespace

COLORREF SkinFrameColour(int scheme) {
  switch (scheme) {
    case 1:
      return RGB(123, 158, 189);
    case 2:
      return RGB(164, 185, 127);
    default:
      return RGB(198, 197, 215);
  }
}

COLORREF SkinDisabledFrameColour() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto less = [](int channel) { return std::max(channel - 32, 0); };
  return RGB(less(GetRValue(face)), less(GetGValue(face)), less(GetBValue(face)));
}

void ApplySkin(int style) {
  RemoveSkin();
  if (style < 1 || style > 3) return;
  SkinState& skin = Skin();
  skin.scheme = style;
  skin.thread = GetCurrentThreadId();
  skin.hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchCreation, nullptr, skin.thread);
  EnumThreadWindows(skin.thread, TakeOverWithChildren, 0);
}

int SkinScheme() {
  return Skin().scheme;
}

bool IsTakenOver(HWND window) {
  const TakenWindow* taken = Find(window);
  return taken != nullptr && !taken->handedBack && Skin().scheme != 0;
}

std::size_t TakenOverCount() {
  return Skin().windows.size();
}

}  // namespace wc
