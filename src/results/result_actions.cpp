#include "results/result_actions.h"

#include "app/app.h"
#include "app/texts.h"
#include "results/texts.h"

namespace wc {

namespace {

// Beside the export file so that the final replace never crosses volumes; its name is the
// export file's with an ending no text file of the user's carries.
constexpr std::string_view kPendingSuffix = ".wc-pending";

}  // namespace

void CopyResult(App& app, const EventArgs&) {
  const std::string text = app.Controls().Text(Control::编辑框_结果);
  Services& services = app.services;
  // Another program holding the clipboard keeps it: its content stays as it is.
  if (!services.OpenClipboard()) return;
  services.EmptyClipboard();
  // Without memory for the text the clipboard stays empty; the user is not told.
  services.SetClipboardText(text);
  services.CloseClipboard();
}

std::string ExportPath(std::string_view programDirectory) {
  std::string path(programDirectory);
  path += '\\';
  path += texts::kExportFileName;
  return path;
}

bool ReplaceFileContents(Services& services, const std::string& path, std::string_view bytes) {
  std::string pending = path;
  pending += kPendingSuffix;
  const FileId file = services.CreateForWriting(pending);
  if (file == 0) return false;
  const bool written = bytes.empty() || services.Write(file, bytes);
  services.Close(file);
  if (written && services.MoveReplacing(pending, path)) return true;
  services.RemoveFile(pending);
  return false;
}

void ExportResult(App& app, const EventArgs&) {
  const std::string path = ExportPath(app.programDirectory);
  const std::string text = app.Controls().Text(Control::编辑框_结果);
  // A failed export says nothing: the user sees no message and the previous file is whole.
  if (!ReplaceFileContents(app.services, path, text)) return;
  app.services.ShowMessage(texts::kExportSucceeded, texts::kNoticeTitle, MessageKind::Notice);
}

void ResetResult(App& app, const EventArgs&) {
  ControlModel& controls = app.Controls();
  controls.SetText(Control::编辑框_结果, "");
  controls.SetText(Control::编辑框_输出条数, "0");
  controls.SetProgressPosition(Control::进度条1, 0);
}

void ShowDeduplicationNotice(App& app, const EventArgs&) {
  // The box has toggled itself already; the run reads it when it starts.
  app.services.ShowMessage(texts::kDeduplicationNotice, texts::kNoticeTitle, MessageKind::Notice);
}

}  // namespace wc
