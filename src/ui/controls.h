#pragma once
// The main window's controls as the program's logic names them. The identifiers are the
// program's own control names; handlers use them and nothing else to reach a control.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wc {

enum class Control : std::uint8_t {
  编辑框_第一列,
  编辑框_第二列,
  编辑框_第三列,
  编辑框_第四列,
  标签_第一列,
  标签_第二列,
  标签_第三列,
  标签_第四列,
  选择框_第一列,
  选择框_第二列,
  选择框_第三列,
  选择框_第四列,
  按钮_清空第一列,
  按钮_清空第二列,
  按钮_清空第三列,
  按钮_清空第四列,
  拖放对象_第一列,
  拖放对象_第二列,
  拖放对象_第三列,
  拖放对象_第四列,
  标签_输出结果,
  编辑框_结果,
  标签_输出条数,
  编辑框_输出条数,
  选择框_去重,
  按钮_输出,
  按钮_复制,
  按钮_导出,
  按钮_重置,
  进度条1,
  分组框1,
  透明标签_说明,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::透明标签_说明) + 1;

constexpr std::size_t Index(Control c) {
  return static_cast<std::size_t>(c);
}

enum class ControlKind : std::uint8_t {
  EditBox,
  Label,
  TransLabel,
  GroupBox,
  Button,
  CheckBox,
  ProcessBar,
  DropTarget,
};

enum class WindowId : std::uint8_t { 主窗口 };

enum class Event : std::uint8_t {
  Created,            // the window, once every control exists, before it is shown
  Clicked,            // push button; enabled check box, after it has toggled
  ContentChanged,     // edit box: each user change, and exactly once per set text
  LeftButtonPressed,  // transparent label, on the button going down
  FileDropped,        // drop target
};

// What a control holds when the window opens.
struct InitialState {
  Control control;
  ControlKind kind;
  std::string_view text;  // text, caption; empty for a drop target
  bool checked = false;
  bool enabled = true;
};

// Every control of the main window in the order of its control list.
extern const std::array<InitialState, kControlCount> kInitialStates;

ControlKind KindOf(Control c);

// The control's identifier as UTF-8, for test output and diagnostics.
std::string_view NameOf(Control c);

// The four columns, 0-based, and the controls that belong to each.
inline constexpr int kColumnCount = 4;
struct ColumnControls {
  Control box;
  Control countLabel;
  Control includeBox;
  Control clearButton;
  Control dropTarget;
};
extern const std::array<ColumnControls, kColumnCount> kColumns;

}  // namespace wc
