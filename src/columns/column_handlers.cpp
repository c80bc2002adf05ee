#include "columns/column_handlers.h"

#include <string>

#include "app/app.h"
#include "app/fatal.h"
#include "columns/split_lines.h"
#include "columns/texts.h"

namespace wc {

namespace {

WordListPtr BuildList(App& app, std::string_view text) {
  try {
    return SplitLines(text, *app.listMemory);
  } catch (const OutOfListMemory& failure) {
    FatalError(app.services, texts::kAllocationFailedBefore + std::to_string(failure.bytes) +
                                 texts::kAllocationFailedAfter);
  }
}

}  // namespace

template <int column>
void ColumnBoxChanged(App& app, const EventArgs&) {
  const ColumnControls& controls = kColumns[column];
  ControlModel& ui = app.Controls();
  const std::string text = ui.Text(controls.box);
  WordListPtr list = BuildList(app, text);
  const std::int32_t count = list->Count();
  app.ReplaceWords(column, std::move(list));
  ui.SetCaption(controls.countLabel, std::to_string(count) + texts::kWordCountSuffix);
  // Nothing runs between the read above and here, so the text read then is still the box's.
  // Only a user ticks an include box; an emptied column unticks its own.
  if (column != 0 && text.empty()) ui.SetChecked(controls.includeBox, 0);
}

template <int column>
void ClearColumn(App& app, const EventArgs&) {
  app.Controls().SetText(kColumns[column].box, "");
}

template void ColumnBoxChanged<0>(App&, const EventArgs&);
template void ColumnBoxChanged<1>(App&, const EventArgs&);
template void ColumnBoxChanged<2>(App&, const EventArgs&);
template void ColumnBoxChanged<3>(App&, const EventArgs&);
template void ClearColumn<0>(App&, const EventArgs&);
template void ClearColumn<1>(App&, const EventArgs&);
template void ClearColumn<2>(App&, const EventArgs&);
template void ClearColumn<3>(App&, const EventArgs&);

}  // namespace wc
