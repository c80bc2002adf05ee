#pragma once
// Filling a column from a file dropped on its box.

#include <span>
#include <string>
#include <string_view>

#include "app/bindings.h"
#include "platform/services.h"

namespace wc {

// The text of a file as the column takes it: its bytes up to the first 0x00 or 0x1A, where
// the second byte of a double-byte character never ends it, and a lead byte followed by 0x00
// ends it before the lead byte.
std::string_view TextBeforeEndMark(std::string_view bytes);

// The whole file in one read, cut as above; empty when the file is 0, empty or unreadable.
std::string ReadText(Services& services, FileId file);

// What a drop hands its File dropped handler: the one path, or every path followed by "\r\n".
std::string DropArgument(std::span<const std::string> paths);

// File dropped of the drop target of `column` (0-based): the file's text replaces the box's,
// which rebuilds the column. A path that cannot be opened empties the box.
template <int column>
void ColumnFileDropped(App& app, const EventArgs& args);

}  // namespace wc
