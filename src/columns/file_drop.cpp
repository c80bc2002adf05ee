#include "columns/file_drop.h"

#include <limits>
#include <new>

#include "app/app.h"
#include "text/dbcs.h"

namespace wc {

namespace {

constexpr char kEndOfFile = '\x1A';

}  // namespace

std::string_view TextBeforeEndMark(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const char c = bytes[at];
    if (c == '\0' || c == kEndOfFile) break;
    // A lead byte whose partner is 0x00 is no character: the text ends before both.
    if (IsLeadByte(c) && at + 1 < bytes.size() && bytes[at + 1] == '\0') break;
    at += CharLength(bytes, at);
  }
  return bytes.substr(0, at);
}

std::string ReadText(Services& services, FileId file) {
  if (file == 0) return {};
  const std::optional<std::uint64_t> size = services.FileSize(file);
  if (!size || *size == 0 || *size > std::numeric_limits<std::size_t>::max()) return {};
  try {
    const std::optional<std::string> bytes = services.Read(file, static_cast<std::size_t>(*size));
    if (!bytes) return {};
    return std::string(TextBeforeEndMark(*bytes));
  } catch (const std::bad_alloc&) {
    // A file too big to hold reads as a file that could not be read.
    return {};
  }
}

std::string DropArgument(std::span<const std::string> paths) {
  if (paths.size() == 1) return paths.front();
  std::string argument;
  for (const std::string& path : paths) {
    argument += path;
    argument += "\r\n";
  }
  return argument;
}

template <int column>
void ColumnFileDropped(App& app, const EventArgs& args) {
  Services& services = app.services;
  const FileId file = services.OpenForReading(std::string(args.text));
  const std::string text = ReadText(services, file);
  // Nothing needs the file once its text is taken; keeping it open would only stop the user
  // from deleting or renaming it while the program runs.
  if (file != 0) services.Close(file);
  app.Controls().SetText(kColumns[column].box, text);
}

template void ColumnFileDropped<0>(App&, const EventArgs&);
template void ColumnFileDropped<1>(App&, const EventArgs&);
template void ColumnFileDropped<2>(App&, const EventArgs&);
template void ColumnFileDropped<3>(App&, const EventArgs&);

}  // namespace wc
