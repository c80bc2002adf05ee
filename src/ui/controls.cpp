#include "ui/controls.h"

namespace wc {

using K = ControlKind;
using C = Control;

const std::array<InitialState, kControlCount> kInitialStates = {{
    {C::编辑框_第一列, K::EditBox, ""},
    {C::编辑框_第二列, K::EditBox, ""},
    {C::编辑框_第三列, K::EditBox, ""},
    {C::编辑框_第四列, K::EditBox, ""},
    {C::标签_第一列, K::Label, "当前词数0个"},
    {C::标签_第二列, K::Label, "当前词数0个"},
    {C::标签_第三列, K::Label, "当前词数0个"},
    {C::标签_第四列, K::Label, "当前词数0个"},
    {C::选择框_第一列, K::CheckBox, "第一列", true, false},
    {C::选择框_第二列, K::CheckBox, "第二列"},
    {C::选择框_第三列, K::CheckBox, "第三列"},
    {C::选择框_第四列, K::CheckBox, "第四列"},
    {C::按钮_清空第一列, K::Button, "清空"},
    {C::按钮_清空第二列, K::Button, "清空"},
    {C::按钮_清空第三列, K::Button, "清空"},
    {C::按钮_清空第四列, K::Button, "清空"},
    {C::拖放对象_第一列, K::DropTarget, ""},
    {C::拖放对象_第二列, K::DropTarget, ""},
    {C::拖放对象_第三列, K::DropTarget, ""},
    {C::拖放对象_第四列, K::DropTarget, ""},
    {C::标签_输出结果, K::Label, "输出结果"},
    {C::编辑框_结果, K::EditBox, ""},
    {C::标签_输出条数, K::Label, "词个数"},
    {C::编辑框_输出条数, K::EditBox, "0"},
    {C::选择框_去重, K::CheckBox, "去重"},
    {C::按钮_输出, K::Button, "随机组合"},
    {C::按钮_复制, K::Button, "复制"},
    {C::按钮_导出, K::Button, "导出"},
    {C::按钮_重置, K::Button, "重置"},
    {C::进度条1, K::ProcessBar, ""},
    {C::分组框1, K::GroupBox, ""},
    {C::透明标签_说明, K::TransLabel, "说明"},
}};

const std::array<ColumnControls, kColumnCount> kColumns = {{
    {C::编辑框_第一列, C::标签_第一列, C::选择框_第一列, C::按钮_清空第一列, C::拖放对象_第一列},
    {C::编辑框_第二列, C::标签_第二列, C::选择框_第二列, C::按钮_清空第二列, C::拖放对象_第二列},
    {C::编辑框_第三列, C::标签_第三列, C::选择框_第三列, C::按钮_清空第三列, C::拖放对象_第三列},
    {C::编辑框_第四列, C::标签_第四列, C::选择框_第四列, C::按钮_清空第四列, C::拖放对象_第四列},
}};

ControlKind KindOf(Control c) {
  return kInitialStates[Index(c)].kind;
}

std::string_view NameOf(Control c) {
  // u8 literals keep UTF-8 whatever the execution character set is.
  static constexpr const char8_t* kNames[kControlCount] = {
      u8"编辑框_第一列",   u8"编辑框_第二列",   u8"编辑框_第三列",   u8"编辑框_第四列",
      u8"标签_第一列",     u8"标签_第二列",     u8"标签_第三列",     u8"标签_第四列",
      u8"选择框_第一列",   u8"选择框_第二列",   u8"选择框_第三列",   u8"选择框_第四列",
      u8"按钮_清空第一列", u8"按钮_清空第二列", u8"按钮_清空第三列", u8"按钮_清空第四列",
      u8"拖放对象_第一列", u8"拖放对象_第二列", u8"拖放对象_第三列", u8"拖放对象_第四列",
      u8"标签_输出结果",   u8"编辑框_结果",     u8"标签_输出条数",   u8"编辑框_输出条数",
      u8"选择框_去重",     u8"按钮_输出",       u8"按钮_复制",       u8"按钮_导出",
      u8"按钮_重置",       u8"进度条1",         u8"分组框1",         u8"透明标签_说明",
  };
  return reinterpret_cast<const char*>(kNames[Index(c)]);
}

}  // namespace wc
