// The program's texts are compiled to the code page's bytes; a wrong execution character set
// would still build and show garbage, so the bytes are pinned here.

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(Charset, LiteralsAreGbkBytes) {
  EXPECT_EQ(std::string_view("当前词数0个"),
            "\xB5\xB1\xC7\xB0\xB4\xCA\xCA\xFD"
            "0\xB8\xF6");
  EXPECT_EQ(std::string_view("错误信息："), "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA");
  EXPECT_EQ(std::string_view("导出成功"), "\xB5\xBC\xB3\xF6\xB3\xC9\xB9\xA6");
}

}  // namespace
