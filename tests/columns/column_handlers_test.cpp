#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_created.h"
#include "app/startup.h"
#include "support/program_fixture.h"

namespace wc::testing {
namespace {

using C = Control;

std::vector<std::string> Members(const WordListPtr& list) {
  std::vector<std::string> members;
  for (std::int32_t p = 1; p <= list->Count(); ++p) members.emplace_back(list->At(p));
  return members;
}

class ColumnHandlers : public ProgramTest {};

TEST_F(ColumnHandlers, EveryColumnKeepsItsListAndLabelInStepWithItsBox) {
  for (int column = 0; column < kColumnCount; ++column) {
    const ColumnControls& c = kColumns[column];
    Type(c.box, " 苹果\t\r\n\r\n手机");
    EXPECT_THAT(Members(app.Words(column)), ::testing::ElementsAre(" 苹果\t", "", "手机"));
    EXPECT_EQ(ui->Caption(c.countLabel), "3个");
  }
  // Each column has its own list.
  Type(C::编辑框_第三列, "x");
  EXPECT_EQ(app.Words(2)->Count(), 1);
  EXPECT_EQ(app.Words(3)->Count(), 3);
}

TEST_F(ColumnHandlers, LabelLeavesItsStartTextAtTheFirstChangeAndNeverShowsItAgain) {
  EXPECT_EQ(ui->Caption(C::标签_第二列), "当前词数0个");
  Type(C::编辑框_第二列, "a");
  EXPECT_EQ(ui->Caption(C::标签_第二列), "1个");
  Type(C::编辑框_第二列, "");
  EXPECT_EQ(ui->Caption(C::标签_第二列), "0个");
}

TEST_F(ColumnHandlers, LargeCountsHaveNoDigitGrouping) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "w\r\n";
  Type(C::编辑框_第四列, text);
  EXPECT_EQ(ui->Caption(C::标签_第四列), "10000个");
}

TEST_F(ColumnHandlers, ClearingAnEmptyColumnUnticksItsIncludeBoxEvenJustTicked) {
  for (int column = 1; column < kColumnCount; ++column) {
    const ColumnControls& c = kColumns[column];
    Click(c.includeBox);  // the user ticks it; ticking an empty column is allowed...
    EXPECT_EQ(ui->Checked(c.includeBox), 1);
    Click(c.clearButton);  // ...until the next change of its box
    EXPECT_EQ(ui->Checked(c.includeBox), 0);
    EXPECT_EQ(ui->Caption(c.countLabel), "0个");
  }
}

TEST_F(ColumnHandlers, OnlyAnEmptyBoxUnticks) {
  Click(C::选择框_第三列);
  Type(C::编辑框_第三列, "a\r\nb");
  Type(C::编辑框_第三列, "\r\n");  // one empty word: the box is not empty
  EXPECT_EQ(ui->Checked(C::选择框_第三列), 1);
  EXPECT_EQ(app.Words(2)->Count(), 1);
  Type(C::编辑框_第三列, "");
  EXPECT_EQ(ui->Checked(C::选择框_第三列), 0);
}

TEST_F(ColumnHandlers, ClearingColumnOneEmptiesItsListAndLeavesItsBoxTicked) {
  Type(C::编辑框_第一列, "a\r\nb");
  Click(C::按钮_清空第一列);
  EXPECT_EQ(ui->Text(C::编辑框_第一列), "");
  EXPECT_EQ(app.Words(0)->Count(), 0);
  EXPECT_EQ(ui->Caption(C::标签_第一列), "0个");
  EXPECT_EQ(ui->Checked(C::选择框_第一列), 1);
}

TEST_F(ColumnHandlers, ATakenListOutlivesItsReplacement) {
  Type(C::编辑框_第一列, "old");
  const WordListPtr taken = app.Words(0);
  const std::uint64_t version = app.WordsVersion();
  Type(C::编辑框_第一列, "new");
  EXPECT_EQ(taken->At(1), "old");
  EXPECT_EQ(app.Words(0)->At(1), "new");
  EXPECT_NE(app.WordsVersion(), version);
}

// Refuses every request from the first one of at least `limit` bytes on.
class ScarceMemory : public ListMemory {
 public:
  explicit ScarceMemory(std::size_t limit) : limit_(limit) {}
  bool Grant(std::size_t bytes) override {
    if (bytes < limit_) return true;
    refused.push_back(bytes);
    return false;
  }
  std::vector<std::size_t> refused;

 private:
  std::size_t limit_;
};

ScarceMemory& Scarce() {
  static ScarceMemory memory(1000);
  return memory;
}

void LogExitRoutine(App& app) {
  static_cast<FakeServices&>(app.services).log.push_back("exit routine");
}

// Bound to Created in place of the program's own handler, which it runs too: an exit routine
// that shows whether it ran, and memory that runs short.
void PrepareShortage(App& app, const EventArgs& args) {
  MainWindowCreated(app, args);
  app.exitRoutines.Add(&LogExitRoutine);
  app.listMemory = &Scarce();
}

TEST(ColumnMemory, AListWithoutMemoryEndsTheProgramAtOnceWithTheBytesAskedFor) {
  FakeServices services;
  MemoryShell shell(services);
  ScarceMemory& memory = Scarce();
  // Ahead of the program's own rows: its Created row makes the memory run short first.
  std::vector<Binding> bindings = {
      {WindowId::主窗口, std::nullopt, Event::Created, &PrepareShortage}};
  bindings.insert(bindings.end(), ProgramBindings().begin(), ProgramBindings().end());
  shell.whileRunning = [](MemoryControls& ui) {
    ui.UserTypes(Control::编辑框_第二列, "short");
    ui.UserTypes(Control::编辑框_第二列, std::string(5000, 'x'));
    ADD_FAILURE() << "the program went on without the list";
  };
  try {
    RunProgram(services, shell, bindings);
    FAIL() << "the program ended normally";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.code, -1);
  }
  ASSERT_EQ(memory.refused.size(), 1u);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].title, "错误");
  EXPECT_EQ(services.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(services.messages[0].text, "运行时出错!\r\n\r\n错误信息：分配 " +
                                           std::to_string(memory.refused[0]) +
                                           " 字节内存失败!\r\n");
  // The message, then the end: no exit routine, no OLE uninitialise.
  EXPECT_THAT(services.log, ::testing::Not(::testing::Contains("exit routine")));
  EXPECT_THAT(services.log, ::testing::Not(::testing::Contains("OleUninitialize")));
  EXPECT_EQ(services.log.back(), "ExitProcess -1");
}

}  // namespace
}  // namespace wc::testing
