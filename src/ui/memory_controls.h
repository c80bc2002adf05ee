#pragma once
// The main window's controls without a window: the same states and events as the Win32
// window, for running the program's logic anywhere.

#include <array>
#include <string>

#include "ui/control_model.h"

namespace wc {

class MemoryControls final : public ControlModel {
 public:
  explicit MemoryControls(EventSink& sink);

  std::string Text(Control box) const override;
  void SetText(Control box, std::string_view text) override;
  void AppendText(Control box, std::string_view text) override;
  NativeWindow WindowHandle(Control box) const override;
  std::string Caption(Control c) const override;
  void SetCaption(Control c, std::string_view caption) override;
  int Checked(Control box) const override;
  void SetChecked(Control box, int checked) override;
  bool Enabled(Control c) const override;
  void SetProgressMaximum(Control bar, std::int32_t value) override;
  void SetProgressPosition(Control bar, std::int32_t value) override;
  std::int32_t ProgressMaximum(Control bar) const override;
  std::int32_t ProgressShown(Control bar) const override;

  // What a user does. Each raises what the real control would raise.
  void UserTypes(Control box, std::string_view newText);  // one edit that leaves this text
  void UserClicks(Control c);                             // button or check box
  void UserPressesLeftButton(Control label, int x = 0, int y = 0, int keys = 0);

 private:
  struct State {
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::int32_t maximum = 100;
    std::int32_t position = 0;
  };
  State& At(Control c) { return states_[Index(c)]; }
  const State& At(Control c) const { return states_[Index(c)]; }
  void RaiseContentChanged(Control box);

  EventSink& sink_;
  std::array<State, kControlCount> states_;
};

}  // namespace wc
