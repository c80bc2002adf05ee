#include "results/result_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/bindings.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"
#include "ui/memory_controls.h"

namespace wc::testing {
namespace {

using ::testing::ElementsAre;

constexpr char kDirectory[] = "C:\\WordCombiner";
constexpr char kExportFile[] = "C:\\WordCombiner\\青禾词语组合导出结果.txt";

// The main window's controls wired to the program's own binding table, as at run time.
class ResultActions : public ::testing::Test {
 protected:
  ResultActions() {
    app.controls = &controls;
    app.events = &router;
    app.programDirectory = kDirectory;
  }

  void ClickWithResult(Control button, std::string_view result) {
    controls.SetText(Control::编辑框_结果, result);
    controls.UserClicks(button);
  }

  FakeServices services;
  MemoryShell shell{services};
  App app{services, shell};
  EventRouter router{app, ProgramBindings()};
  MemoryControls controls{router};
};

// ---- copy

struct CopyCase {
  const char* name;
  std::string result;
  std::string clipboard;  // with its NUL
};
void PrintTo(const CopyCase& c, std::ostream* os) {
  *os << c.name;
}

class CopyResultTest : public ResultActions, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyResultTest, PutsTheBytesAndOneNulOnTheClipboard) {
  services.clipboard = std::string("earlier\0", 8);
  ClickWithResult(Control::按钮_复制, GetParam().result);
  EXPECT_EQ(services.clipboard, GetParam().clipboard);
  EXPECT_FALSE(services.clipboardOpen) << "the clipboard was left open";
  EXPECT_TRUE(services.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Results, CopyResultTest,
    ::testing::Values(CopyCase{"Empty", "", std::string(1, '\0')},
                      CopyCase{"Lines", "ab\r\ncd\r\n", std::string("ab\r\ncd\r\n\0", 9)},
                      // 0x5C as a trail byte must not be touched by anything on the way.
                      CopyCase{"Chinese", "苹果手机\r\n\x95\x5C",
                               std::string("苹果手机\r\n\x95\x5C\0", 13)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultActions, CopyLeavesAClipboardHeldByAnotherProgramAlone) {
  services.clipboard = std::string("theirs\0", 7);
  services.clipboardHeldElsewhere = true;
  ClickWithResult(Control::按钮_复制, "ours\r\n");
  EXPECT_EQ(services.clipboard, std::string("theirs\0", 7));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(ResultActions, CopyWithoutMemoryLeavesTheClipboardEmptyAndClosed) {
  services.clipboard = std::string("earlier\0", 8);
  services.clipboardMemoryFails = true;
  ClickWithResult(Control::按钮_复制, "ours\r\n");
  EXPECT_EQ(services.clipboard, std::nullopt);
  EXPECT_FALSE(services.clipboardOpen);
  EXPECT_TRUE(services.messages.empty());

  // A later copy with memory to spare gets through: nothing stayed half-done.
  services.clipboardMemoryFails = false;
  controls.UserClicks(Control::按钮_复制);
  EXPECT_EQ(services.clipboard, std::string("ours\r\n\0", 7));
}

// ---- export

struct ExportCase {
  const char* name;
  std::string directory;
  std::optional<std::string> previous;  // the export file before
  std::string result;
  std::string file;  // its path
};
void PrintTo(const ExportCase& c, std::ostream* os) {
  *os << c.name;
}

class ExportResultTest : public ResultActions, public ::testing::WithParamInterface<ExportCase> {};

TEST_P(ExportResultTest, WritesExactlyTheResultAndSaysSo) {
  const ExportCase& c = GetParam();
  app.programDirectory = c.directory;
  if (c.previous) services.files[c.file] = *c.previous;
  ClickWithResult(Control::按钮_导出, c.result);

  // Only the export file: nothing of the writing stays beside it.
  EXPECT_EQ(services.files, (std::map<std::string, std::string>{{c.file, c.result}}));
  EXPECT_TRUE(services.OpenPaths().empty());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "导出成功");
  EXPECT_EQ(services.messages[0].title, "提示");
  EXPECT_EQ(services.messages[0].kind, MessageKind::Notice);
}

INSTANTIATE_TEST_SUITE_P(
    Results, ExportResultTest,
    ::testing::Values(
        ExportCase{"EmptyResultGivesAnEmptyFile", kDirectory, std::nullopt, "", kExportFile},
        ExportCase{"EmptyResultEmptiesAnEarlierFile", kDirectory, "earlier\r\n", "", kExportFile},
        ExportCase{"ShorterAfterLongerLeavesNoTail", kDirectory,
                   "a much longer earlier result\r\nwith two lines\r\n", "短\r\n", kExportFile},
        ExportCase{"BytesAreNotConverted", kDirectory, std::nullopt, "苹果手机\r\n\x95\x5C\nno end",
                   kExportFile},
        ExportCase{"DriveRootTakesOneBackslash", "E:", std::nullopt, "x\r\n",
                   "E:\\青禾词语组合导出结果.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportFailure {
  const char* name;
  std::function<void(FakeServices&)> inject;
};
void PrintTo(const ExportFailure& c, std::ostream* os) {
  *os << c.name;
}

class ExportFailureTest : public ResultActions,
                          public ::testing::WithParamInterface<ExportFailure> {};

TEST_P(ExportFailureTest, LeavesThePreviousFileWholeAndSaysNothing) {
  services.files[kExportFile] = "previous export\r\n";
  GetParam().inject(services);
  ClickWithResult(Control::按钮_导出, "the new result, longer than the previous one\r\n");

  EXPECT_EQ(services.files,
            (std::map<std::string, std::string>{{kExportFile, "previous export\r\n"}}));
  EXPECT_TRUE(services.OpenPaths().empty());
  EXPECT_TRUE(services.messages.empty());
}

TEST_P(ExportFailureTest, CreatesNothingWhereThereWasNoFile) {
  GetParam().inject(services);
  ClickWithResult(Control::按钮_导出, "the new result\r\n");
  EXPECT_TRUE(services.files.empty());
  EXPECT_TRUE(services.OpenPaths().empty());
  EXPECT_TRUE(services.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Results, ExportFailureTest,
    ::testing::Values(
        ExportFailure{"FileHeldByAnotherProgram",
                      [](FakeServices& s) { s.lockedPaths.push_back(kExportFile); }},
        ExportFailure{"FolderTakesNoNewFile", [](FakeServices& s) { s.createFails = true; }},
        ExportFailure{"DiskFullPartWay", [](FakeServices& s) { s.writeFailsAfterBytes = 5; }},
        ExportFailure{"NothingWritten", [](FakeServices& s) { s.writeFailsAfterBytes = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultActions, ExportWorksAgainAfterAFailedOne) {
  services.writeFailsAfterBytes = 1;
  ClickWithResult(Control::按钮_导出, "first\r\n");
  services.writeFailsAfterBytes.reset();
  controls.UserClicks(Control::按钮_导出);
  EXPECT_EQ(services.files, (std::map<std::string, std::string>{{kExportFile, "first\r\n"}}));
  EXPECT_EQ(services.messages.size(), 1u);
}

// ---- reset

TEST_F(ResultActions, ResetEmptiesTheResultThenTheCountThenTheBar) {
  controls.SetText(Control::编辑框_第一列, "甲\r\n乙");
  controls.SetChecked(Control::选择框_第二列, 1);
  controls.SetChecked(Control::选择框_去重, 1);
  controls.SetText(Control::编辑框_结果, "甲乙\r\n乙甲\r\n");
  controls.SetText(Control::编辑框_输出条数, "25");
  controls.SetProgressMaximum(Control::进度条1, 50);
  controls.SetProgressPosition(Control::进度条1, 30);

  // What the boxes and the bar held as each box changed tells the order of the writes.
  std::vector<std::string> seen;
  router.OnStateChanged([&](Control c) {
    const char* who = c == Control::编辑框_结果       ? "result"
                      : c == Control::编辑框_输出条数 ? "count"
                                                      : "other";
    seen.push_back(std::string(who) + ": result=" + controls.Text(Control::编辑框_结果) +
                   " count=" + controls.Text(Control::编辑框_输出条数) +
                   " bar=" + std::to_string(controls.ProgressShown(Control::进度条1)));
  });

  controls.UserClicks(Control::按钮_重置);
  EXPECT_THAT(seen,
              ElementsAre("result: result= count=25 bar=30", "count: result= count=0 bar=30"));
  seen.clear();
  controls.UserClicks(Control::按钮_重置);
  EXPECT_THAT(seen, ElementsAre("result: result= count=0 bar=0", "count: result= count=0 bar=0"));

  EXPECT_EQ(controls.ProgressShown(Control::进度条1), 0);
  // Nothing else moves.
  EXPECT_EQ(controls.ProgressMaximum(Control::进度条1), 50);
  EXPECT_EQ(controls.Text(Control::编辑框_第一列), "甲\r\n乙");
  EXPECT_EQ(controls.Checked(Control::选择框_第二列), 1);
  EXPECT_EQ(controls.Checked(Control::选择框_去重), 1);
  EXPECT_TRUE(services.messages.empty());
}

// ---- de-duplication notice

TEST_F(ResultActions, DeduplicationNoticeComesOnEveryClickAndLeavesTheBoxToTheUser) {
  const int before = controls.Checked(Control::选择框_去重);
  controls.UserClicks(Control::选择框_去重);
  EXPECT_EQ(controls.Checked(Control::选择框_去重), 1 - before);
  controls.UserClicks(Control::选择框_去重);
  EXPECT_EQ(controls.Checked(Control::选择框_去重), before);

  ASSERT_EQ(services.messages.size(), 2u);
  for (const ShownMessage& m : services.messages) {
    EXPECT_EQ(m.text,
              "注意：使用去重会降低词语生成速度，如果需要生成大量组合词，可以导出后到wps中去重");
    EXPECT_EQ(m.title, "提示");
    EXPECT_EQ(m.kind, MessageKind::Notice);
  }
}

}  // namespace
}  // namespace wc::testing
