#include "combine/combine_handler.h"

#include <string>

#include "app/app.h"
#include "app/texts.h"
#include "combine/count_text.h"
#include "combine/run.h"
#include "combine/texts.h"

namespace wc {

void CombineClicked(App& app, const EventArgs&) {
  const std::string count = app.Controls().Text(Control::编辑框_输出条数);
  if (count.empty() || CountFromText(count) <= 0) {
    app.services.ShowMessage(texts::kEnterCount, texts::kNoticeTitle, MessageKind::Notice);
    return;
  }
  CombinerOf(app).Start();
}

}  // namespace wc
