// ProgramDirectory: the path up to its last backslash that is not the second byte of a
// double-byte character, against a character walk.

#include <string>

#include "app/program_directory.h"
#include "fuzz_support.h"

namespace {

std::string ReferenceDirectory(std::string_view path) {
  std::string directory;
  std::string walked;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = wc::fuzz::StartsPair(path, pos) ? 2 : 1;
    if (length == 1 && path[pos] == '\\') directory = walked;
    walked += path.substr(pos, length);
    pos += length;
  }
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path = wc::fuzz::AsText(data, size);
  const std::string directory = wc::ProgramDirectory(path);
  wc::fuzz::Require(directory == ReferenceDirectory(path), "the character walk's directory");
  return 0;
}
