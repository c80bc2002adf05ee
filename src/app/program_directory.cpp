#include "app/program_directory.h"

#include "text/dbcs.h"

namespace wc {

std::string ProgramDirectory(std::string_view modulePath) {
  std::size_t lastBackslash = std::string_view::npos;
  for (std::size_t pos = 0; pos < modulePath.size(); pos += CharLength(modulePath, pos)) {
    if (modulePath[pos] == '\\') lastBackslash = pos;
  }
  if (lastBackslash == std::string_view::npos) return {};
  return std::string(modulePath.substr(0, lastBackslash));
}

}  // namespace wc
