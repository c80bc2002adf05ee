#include "ui/memory_controls.h"

#include <algorithm>
#include <cassert>

namespace wc {

MemoryControls::MemoryControls(EventSink& sink) : sink_(sink) {
  for (const InitialState& s : kInitialStates) {
    State& state = At(s.control);
    state.text = s.text;
    state.checked = s.checked;
    state.enabled = s.enabled;
  }
}

std::string MemoryControls::Text(Control box) const {
  assert(KindOf(box) == ControlKind::EditBox && "text read from a control that is no edit box");
  return At(box).text;
}

void MemoryControls::SetText(Control box, std::string_view text) {
  assert(KindOf(box) == ControlKind::EditBox && "text set on a control that is no edit box");
  At(box).text.assign(text);
  RaiseContentChanged(box);
}

void MemoryControls::AppendText(Control box, std::string_view text) {
  assert(KindOf(box) == ControlKind::EditBox && "text added to a control that is no edit box");
  At(box).text.append(text);
  RaiseContentChanged(box);
}

NativeWindow MemoryControls::WindowHandle(Control box) const {
  // Stands in for a window: distinct per control and never null.
  return const_cast<State*>(&At(box));
}

std::string MemoryControls::Caption(Control c) const {
  return At(c).text;
}

void MemoryControls::SetCaption(Control c, std::string_view caption) {
  At(c).text.assign(caption);
}

int MemoryControls::Checked(Control box) const {
  return At(box).checked ? 1 : 0;
}

void MemoryControls::SetChecked(Control box, int checked) {
  At(box).checked = checked == 1;
  sink_.StateChanged(box);
}

bool MemoryControls::Enabled(Control c) const {
  return At(c).enabled;
}

void MemoryControls::SetProgressMaximum(Control bar, std::int32_t value) {
  At(bar).maximum = ClampProgress(value);
}

void MemoryControls::SetProgressPosition(Control bar, std::int32_t value) {
  At(bar).position = ClampProgress(value);
}

std::int32_t MemoryControls::ProgressMaximum(Control bar) const {
  return At(bar).maximum;
}

std::int32_t MemoryControls::ProgressShown(Control bar) const {
  // The minimum is always 0, so the range is 0...maximum.
  return std::min(At(bar).position, At(bar).maximum);
}

void MemoryControls::UserTypes(Control box, std::string_view newText) {
  At(box).text.assign(newText);
  RaiseContentChanged(box);
}

void MemoryControls::UserClicks(Control c) {
  const ControlKind kind = KindOf(c);
  if (kind == ControlKind::CheckBox) {
    State& state = At(c);
    if (!state.enabled) return;  // a disabled box takes no click
    state.checked = !state.checked;
    sink_.StateChanged(c);
  } else if (kind != ControlKind::Button) {
    return;
  }
  sink_.Raise(WindowId::主窗口, c, Event::Clicked, {});
}

void MemoryControls::UserPressesLeftButton(Control label, int x, int y, int keys) {
  if (KindOf(label) != ControlKind::TransLabel) return;
  sink_.Raise(WindowId::主窗口, label, Event::LeftButtonPressed,
              {.text = {}, .x = x, .y = y, .keys = keys});
}

void MemoryControls::RaiseContentChanged(Control box) {
  sink_.StateChanged(box);
  sink_.Raise(WindowId::主窗口, box, Event::ContentChanged, {});
}

}  // namespace wc
