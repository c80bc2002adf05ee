#include "columns/file_drop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "columns/drop_effect.h"
#include "support/program_fixture.h"

namespace wc::testing {
namespace {

using namespace std::literals;

struct ScanCase {
  const char* what;
  std::string_view file;
  std::string_view text;
};

// Hex escapes are split from the letters after them so that the compiler reads them as meant.
const ScanCase kScanCases[] = {
    {"no end mark", "one\r\ntwo"sv, "one\r\ntwo"sv},
    {"0x00 in the middle", "ab\0cd"sv, "ab"sv},
    {"0x1A in the middle",
     "ab\x1A"
     "cd"sv,
     "ab"sv},
    {"0x00 first", "\0abc"sv, ""sv},
    {"0x1A as second byte is kept",
     "\xB0\x1A"
     "c\x1A"
     "d"sv,
     "\xB0\x1A"
     "c"sv},
    {"0x00 as second byte ends before the lead byte", "ab\xB0\0cd"sv, "ab"sv},
    {"0x00 after a lead byte that follows a whole character", "\xB0\xC1\xB0\0"sv, "\xB0\xC1"sv},
    {"0x1A right after a whole character",
     "\xB0\xA1\x1A"
     "x"sv,
     "\xB0\xA1"sv},
    {"a lead byte last in the file is kept", "ab\xB0"sv, "ab\xB0"sv},
    {"UTF-16LE ASCII: mark and first letter",
     "\xFF\xFE"
     "a\0b\0"sv,
     "\xFF\xFE"
     "a"sv},
    {"UTF-16BE ASCII: the mark only", "\xFE\xFF\0a\0b"sv, "\xFE\xFF"sv},
    {"UTF-8 bytes unchanged", "\xEF\xBB\xBF\xE8\xAF\x8D\r\n\xE8\xAF\xAD"sv,
     "\xEF\xBB\xBF\xE8\xAF\x8D\r\n\xE8\xAF\xAD"sv},
    {"LF-only line ends unchanged", "a\nb\nc\n"sv, "a\nb\nc\n"sv},
    {"empty", ""sv, ""sv},
};

TEST(FileDrop, TextEndsBeforeTheFirstEndMarkUnderTheDoubleByteRule) {
  for (const ScanCase& c : kScanCases) {
    EXPECT_EQ(TextBeforeEndMark(c.file), c.text) << c.what;
  }
}

TEST(FileDrop, ArgumentIsTheOnePathOrEveryPathFollowedByALineEnd) {
  const std::vector<std::string> one = {"C:\\词\\a.txt"};
  const std::vector<std::string> two = {"C:\\a.txt", "D:\\b"};
  EXPECT_EQ(DropArgument(one), "C:\\词\\a.txt");
  EXPECT_EQ(DropArgument(two), "C:\\a.txt\r\nD:\\b\r\n");
  EXPECT_EQ(DropArgument({}), "");
}

struct EffectCase {
  bool acceptable;
  bool ctrl;
  bool shift;
  DropEffects allowed;
  DropEffects effect;
};

constexpr DropEffects kAll = kDropCopy | kDropMove | kDropLink;

const EffectCase kEffectCases[] = {
    // Data that is no file list: nothing, whatever the keys and the source.
    {false, false, false, kAll, kDropNone},
    {false, true, false, kAll, kDropNone},
    {false, false, true, kAll, kDropNone},
    {false, true, true, kAll, kDropNone},
    // Ctrl: copy or nothing.
    {true, true, false, kAll, kDropCopy},
    {true, true, false, kDropCopy, kDropCopy},
    {true, true, false, kDropMove | kDropLink, kDropNone},
    // Ctrl and Shift: nothing.
    {true, true, true, kAll, kDropNone},
    {true, true, true, kDropLink, kDropNone},
    // Shift: move or nothing.
    {true, false, true, kAll, kDropMove},
    {true, false, true, kDropMove, kDropMove},
    {true, false, true, kDropCopy | kDropLink, kDropNone},
    // Neither: copy before move before link.
    {true, false, false, kAll, kDropCopy},
    {true, false, false, kDropMove | kDropLink, kDropMove},
    {true, false, false, kDropLink, kDropLink},
    {true, false, false, kDropNone, kDropNone},
    // Effects the table does not know are never chosen.
    {true, false, false, 0x80000000u, kDropNone},
};

TEST(FileDrop, EffectFollowsTheKeysAndWhatTheSourceAllows) {
  for (const EffectCase& c : kEffectCases) {
    EXPECT_EQ(ChooseDropEffect(c.acceptable, c.ctrl, c.shift, c.allowed), c.effect)
        << "acceptable " << c.acceptable << " ctrl " << c.ctrl << " shift " << c.shift
        << " allowed " << c.allowed;
  }
}

// The program with its real bindings over the in-memory window.
class FileDropped : public ProgramTest {
 protected:
  void Drop(int column, std::string_view argument) {
    router.Raise(WindowId::主窗口, kColumns[column].dropTarget, Event::FileDropped,
                 {.text = argument});
  }
  std::vector<std::string> Words(int column) {
    const WordListPtr list = app.Words(column);
    std::vector<std::string> words;
    for (std::int32_t i = 1; i <= list->Count(); ++i) words.emplace_back(list->At(i));
    return words;
  }
};

TEST_F(FileDropped, FileTextReplacesTheBoxOfItsOwnColumnAndRebuildsIt) {
  // An LF alone is no line end: "乙\nx" stays one word.
  services.files["C:\\words.txt"] = "甲\r\n乙\nx\0tail"s;
  for (int column = 0; column < kColumnCount; ++column) {
    SCOPED_TRACE(column);
    for (const ColumnControls& c : kColumns) ui->SetText(c.box, "old");
    Drop(column, "C:\\words.txt");
    for (int other = 0; other < kColumnCount; ++other) {
      const bool dropped = other == column;
      EXPECT_EQ(ui->Text(kColumns[other].box), dropped ? "甲\r\n乙\nx" : "old");
      EXPECT_EQ(ui->Caption(kColumns[other].countLabel), dropped ? "2个" : "1个");
      const std::vector<std::string> words =
          dropped ? std::vector<std::string>{"甲", "乙\nx"} : std::vector<std::string>{"old"};
      EXPECT_EQ(Words(other), words);
    }
  }
  EXPECT_TRUE(services.OpenPaths().empty()) << "a dropped file stayed open";
}

TEST_F(FileDropped, AFileThatGivesNoTextEmptiesTheBox) {
  services.files["C:\\a.txt"] = "a"s;
  services.files["C:\\b.txt"] = "b"s;
  services.files["C:\\empty.txt"] = "";
  services.files["C:\\locked.txt"] = "words";
  services.files["C:\\zero.txt"] = "\0words"s;
  services.lockedPaths = {"C:\\locked.txt"};
  const std::string_view arguments[] = {
      "C:\\missing.txt", "C:\\a.txt\r\nC:\\b.txt\r\n",
      "C:\\empty.txt",   "C:\\locked.txt",
      "C:\\zero.txt",    "",
  };
  for (std::string_view argument : arguments) {
    SCOPED_TRACE(std::string(argument));
    ui->SetText(Control::编辑框_第二列, "old");
    ui->SetChecked(Control::选择框_第二列, 1);
    Drop(1, argument);
    EXPECT_EQ(ui->Text(Control::编辑框_第二列), "");
    EXPECT_EQ(ui->Caption(Control::标签_第二列), "0个");
    EXPECT_TRUE(Words(1).empty());
    EXPECT_EQ(ui->Checked(Control::选择框_第二列), 0) << "an emptied column still takes part";
  }
  EXPECT_TRUE(services.OpenPaths().empty()) << "a dropped file stayed open";
}

TEST_F(FileDropped, AReadErrorEmptiesTheBoxAndClosesTheFile) {
  services.files["C:\\words.txt"] = "words";
  services.readFails = true;
  ui->SetText(Control::编辑框_第四列, "old");
  Drop(3, "C:\\words.txt");
  EXPECT_EQ(ui->Text(Control::编辑框_第四列), "");
  EXPECT_TRUE(services.OpenPaths().empty());
}

}  // namespace
}  // namespace wc::testing
