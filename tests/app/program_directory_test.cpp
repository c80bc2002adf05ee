#include "app/program_directory.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

struct Case {
  const char* name;
  std::string path;
  std::string directory;
};

TEST(ProgramDirectory, CutsAtTheLastRealBackslash) {
  const Case cases[] = {
      {"plain path", "C:\\Tools\\WordCombiner.exe", "C:\\Tools"},
      {"drive root", "C:\\WordCombiner.exe", "C:"},
      {"no backslash", "WordCombiner.exe", ""},
      {"empty", "", ""},
      {"UNC share", "\\\\server\\share\\a.exe", "\\\\server\\share"},
      // 0x95 0x5C is one double-byte character (GBK has many whose second byte is 0x5C);
      // its 0x5C is no backslash.
      {"second byte 0x5C before the real one", "D:\\a\x95\\b\\c.exe", "D:\\a\x95\\b"},
      {"second byte 0x5C after the last real one", "D:\\dir\x95\\c.exe", "D:"},
      {"lead byte at the very end", "D:\\x\\\x95", "D:\\x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ProgramDirectory(c.path), c.directory);
  }
}

}  // namespace
}  // namespace wc
