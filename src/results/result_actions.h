#pragma once
// What the user does with the result once a run has filled the result box: copy it, export
// it, reset it; and the notice that the de-duplication box gives on every click. Each is the
// Clicked handler of its control and keeps no state of its own.

#include <string>
#include <string_view>

#include "platform/services.h"

namespace wc {

struct App;
struct EventArgs;

void CopyResult(App& app, const EventArgs&);
void ExportResult(App& app, const EventArgs&);
void ResetResult(App& app, const EventArgs&);
void ShowDeduplicationNotice(App& app, const EventArgs&);

// The export file beside the program. The directory never ends with a backslash, a drive
// root included ("C:"), so exactly one goes between.
std::string ExportPath(std::string_view programDirectory);

// Gives `path` exactly `bytes`, or leaves whatever it held before untouched: the bytes go to
// a file of their own beside it, which takes the place of `path` only once all are written.
// True on success. Nothing of the attempt stays behind on failure.
bool ReplaceFileContents(Services& services, const std::string& path, std::string_view bytes);

}  // namespace wc
