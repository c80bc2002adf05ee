#pragma once
// The main window and its controls as real Win32 windows, built from the layout data.

#include <windows.h>

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "columns/drop_target_win32.h"
#include "ui/control_model.h"

namespace wc {

class Win32Shell;

class Win32MainWindow final : public ControlModel {
 public:
  // Builds the window hidden with every control; nullptr when any part cannot be created.
  static std::unique_ptr<Win32MainWindow> Create(Win32Shell& shell, EventSink& sink);
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

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

  // Registers the drop target `target` of a column for `window`; false when that target was
  // attached before or OLE refuses. The registrations last until the window is destroyed.
  bool AttachDropTarget(Control target, HWND window);
  Win32DropTarget* DropTarget(Control target) const;

  HWND Handle() const { return window_; }
  HWND ControlWindow(Control c) const { return controls_[Index(c)]; }
  void Show();

  // Tab and Shift+Tab: the next control of the focus order that can take the focus.
  void MoveFocus(bool backward);
  bool IsMultilineEdit(HWND window) const;

 private:
  Win32MainWindow(Win32Shell& shell, EventSink& sink) : shell_(shell), sink_(sink) {}
  bool Build();
  bool CreateControls();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(HWND from, int notification);
  void NotifyContentChanged(Control box);
  // The one change notice of the program's own change of a box, as the box would send it.
  void DeliverOwnNotice(Control box, HWND edit);
  // A long text reaches its box a slice at a time; see SetText.
  void StartFill(Control box, HWND edit, std::string_view text);
  void FillSlices(Control box, std::optional<std::chrono::milliseconds> budget);
  void FillSomeOfEach();
  std::optional<Control> ControlOf(HWND window) const;

  Win32Shell& shell_;
  EventSink& sink_;
  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  // The drop targets of the four columns, in column order.
  std::array<ComPtr<Win32DropTarget>, kColumnCount> dropTargets_;
  // The bar keeps the position it was given; the platform control would cut it to the range.
  std::int32_t progressPosition_ = 0;
  std::int32_t progressMaximum_ = 100;
  // While the program itself changes a box's text, the box's own change notices are not
  // the user's: exactly one notice follows the change.
  bool settingText_ = false;
  bool deliveringOwnNotice_ = false;
  // A text a box is still taking in: the whole of it, and how much of it the box holds.
  // `Text` answers with the whole text meanwhile, as if the box held it already.
  struct Fill {
    std::string text;
    std::size_t shown = 0;
  };
  std::array<std::optional<Fill>, kControlCount> fills_;
  HWND lastFocus_ = nullptr;
};

}  // namespace wc
