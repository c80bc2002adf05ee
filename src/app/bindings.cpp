#include "app/bindings.h"

#include <utility>

#include "app/description.h"
#include "app/main_window_created.h"
#include "columns/column_handlers.h"
#include "columns/file_drop.h"
#include "combine/combine_handler.h"
#include "results/result_actions.h"

namespace wc {

namespace {

using C = Control;
using E = Event;
constexpr WindowId kMain = WindowId::主窗口;

// One row per bound event; an event without a row does nothing.
const std::vector<Binding> kProgramBindings = {
    {kMain, std::nullopt, E::Created, &MainWindowCreated},
    {kMain, C::编辑框_第一列, E::ContentChanged, &ColumnBoxChanged<0>},
    {kMain, C::编辑框_第二列, E::ContentChanged, &ColumnBoxChanged<1>},
    {kMain, C::编辑框_第三列, E::ContentChanged, &ColumnBoxChanged<2>},
    {kMain, C::编辑框_第四列, E::ContentChanged, &ColumnBoxChanged<3>},
    {kMain, C::按钮_清空第一列, E::Clicked, &ClearColumn<0>},
    {kMain, C::按钮_清空第二列, E::Clicked, &ClearColumn<1>},
    {kMain, C::按钮_清空第三列, E::Clicked, &ClearColumn<2>},
    {kMain, C::按钮_清空第四列, E::Clicked, &ClearColumn<3>},
    {kMain, C::拖放对象_第一列, E::FileDropped, &ColumnFileDropped<0>},
    {kMain, C::拖放对象_第二列, E::FileDropped, &ColumnFileDropped<1>},
    {kMain, C::拖放对象_第三列, E::FileDropped, &ColumnFileDropped<2>},
    {kMain, C::拖放对象_第四列, E::FileDropped, &ColumnFileDropped<3>},
    {kMain, C::按钮_输出, E::Clicked, &CombineClicked},
    {kMain, C::按钮_复制, E::Clicked, &CopyResult},
    {kMain, C::按钮_导出, E::Clicked, &ExportResult},
    {kMain, C::按钮_重置, E::Clicked, &ResetResult},
    {kMain, C::选择框_去重, E::Clicked, &ShowDeduplicationNotice},
    {kMain, C::透明标签_说明, E::LeftButtonPressed, &OpenDescription},
};

}  // namespace

std::span<const Binding> ProgramBindings() {
  return kProgramBindings;
}

void EventRouter::Raise(WindowId window, std::optional<Control> control, Event event,
                        const EventArgs& args) {
  for (const Binding& row : table_) {
    if (row.window == window && row.control == control && row.event == event) {
      row.handler(app_, args);
      return;
    }
  }
}

void EventRouter::StateChanged(Control control) {
  for (auto& listener : stateListeners_) listener(control);
}

void EventRouter::WindowDestroying(WindowId window) {
  for (auto& listener : destroyListeners_) listener(window);
}

void EventRouter::OnStateChanged(std::function<void(Control)> listener) {
  stateListeners_.push_back(std::move(listener));
}

void EventRouter::OnWindowDestroying(std::function<void(WindowId)> listener) {
  destroyListeners_.push_back(std::move(listener));
}

}  // namespace wc
