// TextBeforeEndMark: the text a dropped file gives its column. Held to what its result must be
// (a start of the file with no end mark in it, stopped by one) and to a plain scan.

#include "columns/file_drop.h"
#include "fuzz_support.h"

namespace {

using wc::fuzz::Require;
using wc::fuzz::StartsPair;

bool IsEndMark(char c) {
  return c == '\0' || c == '\x1A';
}

std::size_t ReferenceLength(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size() && !IsEndMark(bytes[pos])) {
    if (!StartsPair(bytes, pos)) {
      ++pos;
    } else if (bytes[pos + 1] == '\0') {
      break;
    } else {
      pos += 2;
    }
  }
  return pos;
}

// Whatever the scan's code: the text is the file's own start, holds no single-byte end mark
// and no lead byte paired with 0x00, and stops only where the file ends or such a mark stands.
void CheckShape(std::string_view bytes, std::string_view text) {
  Require(text.data() == bytes.data() && text.size() <= bytes.size(), "a start of the file");
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (StartsPair(text, pos)) {
      Require(text[pos + 1] != '\0', "no lead byte paired with 0x00 in the text");
      pos += 2;
    } else {
      Require(!IsEndMark(text[pos]), "no end mark in the text");
      pos += 1;
    }
  }
  Require(pos == text.size(), "the text ends on a whole character");
  if (text.size() == bytes.size()) return;
  const std::size_t at = text.size();
  const bool leadWithZero = StartsPair(bytes, at) && bytes[at + 1] == '\0';
  Require(IsEndMark(bytes[at]) || leadWithZero, "the text stops at an end mark");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = wc::fuzz::AsText(data, size);
  const std::string_view text = wc::TextBeforeEndMark(bytes);
  CheckShape(bytes, text);
  Require(text.size() == ReferenceLength(bytes), "the plain scan's length");
  return 0;
}
