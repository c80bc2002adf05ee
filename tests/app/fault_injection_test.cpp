// Every platform failure the program must survive, walked through the whole program. The user
// has a session going: columns filled with words, include boxes ticked, a result made, copied
// and exported, and a newer result in the box. The failure comes and the user does the one
// thing it hits. Afterwards the whole window, the word lists, the clipboard and the files must
// be exactly as before except for what that failure is meant to change, and no file may be
// left open. Then the failure goes away, the same action must work, and a run must still make
// its lines from the words in the boxes.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/bindings.h"
#include "app/program_directory.h"
#include "combine/random.h"
#include "combine/run.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"
#include "support/naive_run.h"

namespace wc::testing {

void PrintTo(const ShownMessage& m, std::ostream* os) {
  *os << "{" << ::testing::PrintToString(m.text) << ", " << ::testing::PrintToString(m.title)
      << (m.kind == MessageKind::Error ? ", error}" : ", notice}");
}

namespace {

using C = Control;

constexpr char kWordsFile[] = "C:\\Users\\me\\词语.txt";
constexpr char kWordsText[] = "梨\r\n桃\r\n";
constexpr char kExportFile[] = "C:\\WordCombiner\\青禾词语组合导出结果.txt";

// The program as its start-up builds it, with the window in memory. The machine (files,
// clipboard, failure switches) lives outside it, so the program can end and start again.
struct Program {
  explicit Program(FakeServices& services)
      : shell(services), app(services, shell), router(app, ProgramBindings()) {
    // Registering a drop target needs OLE: without it no column box takes drops.
    shell.failAttach = !services.InitializeOle();
    app.programDirectory = ProgramDirectory(services.ModuleFileName());
    app.listMemory = &services;
    app.events = &router;
    app.controls = shell.CreateMainWindow(router);
    ui = shell.controls.get();
    router.Raise(WindowId::主窗口, std::nullopt, Event::Created, {});
  }
  ~Program() { StopCombination(app); }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  MemoryShell shell;
  App app;
  EventRouter router;
  MemoryControls* ui = nullptr;
};

// Everything the user and the machine can see of the program.
struct Window {
  std::map<Control, std::string> controls;  // text, caption, checked state, bar
  std::array<std::vector<std::string>, kColumnCount> words;
  std::size_t dropTargets = 0;
  DropEffects dragCursor = kDropNone;  // what the last drag was told
  bool running = false;
  std::optional<int> exitCode;
  std::vector<ShownMessage> messages;
  std::optional<std::string> clipboard;
  bool clipboardOpen = false;
  std::map<std::string, std::string> files;
  std::vector<std::string> openFiles;
};

class FaultTable;

struct Fault {
  const char* name;
  // Before the program starts, or in the middle of the user's session.
  enum { AtStart, InSession } when;
  std::function<void(FaultTable&)> inject;
  std::function<void(FaultTable&)> act;
  // The window as the failure leaves it, made from the window before.
  std::function<void(FaultTable&, Window&)> described;
  std::function<void(FaultTable&)> lift;
  // Whether the program goes on, or must start again to try once more (the failure was at its
  // start, or ended it).
  enum { SameProgram, NextStart } retry;
  std::function<void(FaultTable&)> succeeded;
};

void PrintTo(const Fault& f, std::ostream* os) {
  *os << f.name;
}

class FaultTable : public ::testing::TestWithParam<Fault> {
 public:
  void Start() {
    program.reset();
    program.emplace(services);
    ui = program->ui;
    exitCode.reset();
    dragCursor = kDropNone;
  }

  // The user's session before anything goes wrong. The clipboard and the export file hold an
  // earlier result than the box, so a copy or export that wrongly succeeds shows.
  void Fill() {
    Type(C::编辑框_第一列, "苹果\r\n香蕉\r\n");
    Type(C::编辑框_第二列, "红色\r\n绿色\r\n");
    Click(C::选择框_第二列);
    Type(C::编辑框_第三列, "大\r\n小\r\n");
    Click(C::选择框_第三列);
    Type(C::编辑框_第四列, "甜\r\n");  // words, but left out of the runs
    Type(C::编辑框_输出条数, "6");
    Click(C::按钮_输出);
    FinishRun();
    Click(C::按钮_复制);
    Click(C::按钮_导出);
    Type(C::编辑框_输出条数, "4");
    Click(C::按钮_输出);
    FinishRun();
    ASSERT_EQ(LinesOf(Result()).size(), 4u);
    ASSERT_EQ(LinesOf(services.files.at(kExportFile)).size(), 6u);
    ASSERT_EQ(services.clipboard, services.files.at(kExportFile) + '\0');
    ASSERT_EQ(services.messages.back(), (ShownMessage{"导出成功", "提示", MessageKind::Notice}));
  }

  Window Look() const {
    Window w;
    for (const InitialState& s : kInitialStates) {
      const Control c = s.control;
      switch (s.kind) {
        case ControlKind::EditBox:
          w.controls[c] = ui->Text(c);
          break;
        case ControlKind::Label:
          w.controls[c] = ui->Caption(c);
          break;
        case ControlKind::CheckBox:
          w.controls[c] = ui->Checked(c) == 1 ? "ticked" : "not ticked";
          break;
        case ControlKind::ProcessBar:
          w.controls[c] = std::to_string(ui->ProgressShown(c)) + " of " +
                          std::to_string(ui->ProgressMaximum(c));
          break;
        default:
          break;
      }
    }
    for (int column = 0; column < kColumnCount; ++column) w.words[column] = Words(column);
    w.dropTargets = program->shell.attached.size();
    w.dragCursor = dragCursor;
    w.running = RunGoing();
    w.exitCode = exitCode;
    w.messages = services.messages;
    w.clipboard = services.clipboard;
    w.clipboardOpen = services.clipboardOpen;
    w.files = services.files;
    w.openFiles = services.OpenPaths();
    return w;
  }

  // The user's action; a fatal failure ends the program inside it. Whatever run it started
  // is then followed to its end, so what is checked is where the action leads.
  void Perform(const std::function<void(FaultTable&)>& act) {
    try {
      act(*this);
    } catch (const ProcessExit& exit) {
      exitCode = exit.code;
      return;
    }
    FinishRun();
  }

  void Type(Control box, std::string_view text) { ui->UserTypes(box, text); }
  void Click(Control c) { ui->UserClicks(c); }
  void Drop(Control dropTarget) {
    MemoryShell::Drag drag;
    if (dragOffersFiles) {
      drag.files = std::vector<std::string>{kWordsFile};
    } else {
      drag.allowed = kDropCopy;  // selected text dragged from an editor
    }
    dragCursor = program->shell.UserDrops(dropTarget, drag);
  }
  std::string Result() const { return ui->Text(C::编辑框_结果); }
  std::vector<std::string> Words(int column) const {
    const WordListPtr list = program->app.Words(column);
    std::vector<std::string> words;
    for (std::int32_t i = 1; i <= list->Count(); ++i) words.emplace_back(list->At(i));
    return words;
  }
  // The seed of the run the next press starts, while no other run is seeding.
  std::uint32_t NextSeed() const { return services.tickCount + ProgramSeedCounter().Value(); }
  // What the boxes say a run draws from.
  NaiveInputs BoxInputs() const {
    NaiveInputs inputs;
    for (int c = 0; c < kColumnCount; ++c) {
      inputs.columns[c] = LinesOf(ui->Text(kColumns[c].box));
      inputs.included[c] = c == 0 || ui->Checked(kColumns[c].includeBox) == 1;
    }
    return inputs;
  }
  bool RunGoing() const { return program->app.combiner && program->app.combiner->Running(); }
  void FinishRun() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (RunGoing()) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run did not finish";
      program->shell.dispatcher.WaitAndRun(std::chrono::milliseconds(100));
    }
  }

  FakeServices services;
  std::optional<Program> program;
  MemoryControls* ui = nullptr;
  std::optional<int> exitCode;
  bool dragOffersFiles = true;
  DropEffects dragCursor = kDropNone;
  std::uint32_t firstRunSeed = 0;
};

// A long text is told by its first line that differs, not printed whole.
::testing::AssertionResult SameText(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const std::vector<std::string> a = LinesOf(actual);
  const std::vector<std::string> e = LinesOf(expected);
  std::size_t line = 0;
  while (line < a.size() && line < e.size() && a[line] == e[line]) ++line;
  return ::testing::AssertionFailure()
         << a.size() << " lines where " << e.size() << " were expected, first differing at line "
         << line + 1 << ": " << ::testing::PrintToString(line < a.size() ? a[line] : "(none)")
         << " for " << ::testing::PrintToString(line < e.size() ? e[line] : "(none)");
}

// Field by field, so that a failure names what changed.
void ExpectWindow(const Window& actual, const Window& expected) {
  for (const auto& [control, shown] : expected.controls) {
    EXPECT_TRUE(SameText(actual.controls.at(control), shown)) << NameOf(control);
  }
  for (int c = 0; c < kColumnCount; ++c) {
    EXPECT_EQ(actual.words[c], expected.words[c]) << "word list of column " << c + 1;
  }
  EXPECT_EQ(actual.dropTargets, expected.dropTargets) << "drop targets attached";
  EXPECT_EQ(actual.dragCursor, expected.dragCursor) << "drag cursor";
  EXPECT_EQ(actual.running, expected.running) << "a run going";
  EXPECT_EQ(actual.exitCode, expected.exitCode) << "process end";
  EXPECT_EQ(actual.messages, expected.messages) << "messages shown";
  EXPECT_EQ(actual.clipboard, expected.clipboard) << "clipboard";
  EXPECT_EQ(actual.clipboardOpen, expected.clipboardOpen) << "clipboard left open";
  EXPECT_EQ(actual.files, expected.files) << "files";
  EXPECT_EQ(actual.openFiles, expected.openFiles) << "files left open";
}

TEST_P(FaultTable, EndsInTheDescribedStateAndWorksOnceLifted) {
  const Fault& fault = GetParam();
  services.files[kWordsFile] = kWordsText;
  if (fault.when == Fault::AtStart) fault.inject(*this);
  Start();
  ASSERT_NO_FATAL_FAILURE(Fill());
  if (fault.when == Fault::InSession) fault.inject(*this);

  Window expected = Look();
  fault.described(*this, expected);
  Perform(fault.act);
  {
    SCOPED_TRACE("after the failure");
    ExpectWindow(Look(), expected);
  }

  fault.lift(*this);
  if (fault.retry == Fault::NextStart) {
    Start();
    ASSERT_NO_FATAL_FAILURE(Fill());
  }
  Perform(fault.act);
  {
    SCOPED_TRACE("once the failure is gone");
    EXPECT_EQ(exitCode, std::nullopt);
    EXPECT_FALSE(services.clipboardOpen);
    EXPECT_TRUE(services.OpenPaths().empty());
    fault.succeeded(*this);
  }

  // The lists still hold exactly the words the boxes show: a run makes its lines from them.
  const NaiveInputs inputs = BoxInputs();
  Type(C::编辑框_输出条数, "40");
  const std::uint32_t seed = NextSeed();
  Click(C::按钮_输出);
  FinishRun();
  EXPECT_EQ(Result(), NaiveRun(seed, 40, inputs));
}

// ---- what the rows share

void NothingChanges(FaultTable&, Window&) {}

void Copy(FaultTable& t) {
  t.Click(C::按钮_复制);
}
void CopySucceeded(FaultTable& t) {
  EXPECT_EQ(t.services.clipboard, t.Result() + '\0');
}

void Export(FaultTable& t) {
  t.Click(C::按钮_导出);
}
void ExportSucceeded(FaultTable& t) {
  EXPECT_EQ(t.services.files.at(kExportFile), t.Result());
  EXPECT_EQ(t.services.files.size(), 2u) << "a file besides the words and the export";
  ASSERT_FALSE(t.services.messages.empty());
  EXPECT_EQ(t.services.messages.back(), (ShownMessage{"导出成功", "提示", MessageKind::Notice}));
}

void PressCombine(FaultTable& t) {
  t.Click(C::按钮_输出);
}

// The dropped file's words in a column, with the include box as the user left it.
std::function<void(FaultTable&)> ColumnHoldsTheFile(int column) {
  return [column](FaultTable& t) {
    EXPECT_EQ(t.ui->Text(kColumns[column].box), kWordsText);
    EXPECT_EQ(t.ui->Caption(kColumns[column].countLabel), "2个");
    EXPECT_EQ(t.Words(column), (std::vector<std::string>{"梨", "桃"}));
    EXPECT_EQ(t.dragCursor, kDropCopy);
  };
}

// A file that gives no text empties the column, and an empty column no longer takes part.
void ColumnThreeEmptied(FaultTable&, Window& w) {
  w.controls[C::编辑框_第三列] = "";
  w.controls[C::标签_第三列] = "0个";
  w.controls[C::选择框_第三列] = "not ticked";
  w.words[2].clear();
  w.dragCursor = kDropCopy;
}

constexpr char kPastedWords[] = "梨\r\n桃\r\n李\r\n";

const Fault kFaults[] = {
    {.name = "ClipboardHeldByAnotherProgram",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.clipboardHeldElsewhere = true; },
     .act = Copy,
     .described = NothingChanges,  // the clipboard keeps the earlier copy
     .lift = [](FaultTable& t) { t.services.clipboardHeldElsewhere = false; },
     .retry = Fault::SameProgram,
     .succeeded = CopySucceeded},
    {.name = "ClipboardMemoryNotAllocated",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.clipboardMemoryFails = true; },
     .act = Copy,
     .described = [](FaultTable&, Window& w) { w.clipboard.reset(); },  // emptied, then nothing
     .lift = [](FaultTable& t) { t.services.clipboardMemoryFails = false; },
     .retry = Fault::SameProgram,
     .succeeded = CopySucceeded},
    {.name = "ExportFolderTakesNoNewFile",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.createFails = true; },
     .act = Export,
     .described = NothingChanges,  // the earlier export stays whole, and nothing is said
     .lift = [](FaultTable& t) { t.services.createFails = false; },
     .retry = Fault::SameProgram,
     .succeeded = ExportSucceeded},
    {.name = "ExportFileHeldOpenElsewhere",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.lockedPaths = {kExportFile}; },
     .act = Export,
     .described = NothingChanges,
     .lift = [](FaultTable& t) { t.services.lockedPaths.clear(); },
     .retry = Fault::SameProgram,
     .succeeded = ExportSucceeded},
    {.name = "ExportDiskFullPartWay",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.writeFailsAfterBytes = 7; },  // inside a word
     .act = Export,
     .described = NothingChanges,
     .lift = [](FaultTable& t) { t.services.writeFailsAfterBytes.reset(); },
     .retry = Fault::SameProgram,
     .succeeded = ExportSucceeded},
    {.name = "ThreadNotStarted",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.threadStartFails = true; },
     .act =
         [](FaultTable& t) {
           t.Type(C::编辑框_输出条数, "9");
           PressCombine(t);
         },
     // Only what the user typed: the result and the bar stay, nothing is said.
     .described = [](FaultTable&, Window& w) { w.controls[C::编辑框_输出条数] = "9"; },
     .lift = [](FaultTable& t) { t.services.threadStartFails = false; },
     .retry = Fault::SameProgram,
     .succeeded =
         [](FaultTable& t) {
           EXPECT_EQ(LinesOf(t.Result()).size(), 9u);
           EXPECT_EQ(t.ui->ProgressShown(C::进度条1), 9);
         }},
    {.name = "ThreadNotStartedWhileARunIsGoing",
     .when = Fault::InSession,
     .inject =
         [](FaultTable& t) {
           t.Type(C::编辑框_输出条数, "3000");
           t.firstRunSeed = t.NextSeed();
           PressCombine(t);  // not followed: the run is going when the next press comes
           t.services.threadStartFails = true;
         },
     .act = PressCombine,
     // The press that could not start its run changes nothing: the run going on ends as it
     // would have, every line of it in the box.
     .described =
         [](FaultTable& t, Window& w) {
           w.controls[C::编辑框_结果] = NaiveRun(t.firstRunSeed, 3000, t.BoxInputs());
           w.controls[C::进度条1] = "3000 of 3000";
           w.running = false;
         },
     .lift = [](FaultTable& t) { t.services.threadStartFails = false; },
     .retry = Fault::SameProgram,
     .succeeded =
         [](FaultTable& t) {
           EXPECT_EQ(LinesOf(t.Result()).size(), 3000u);
           EXPECT_EQ(t.ui->ProgressShown(C::进度条1), 3000);
         }},
    {.name = "WordListMemoryRefusedMidBuild",
     .when = Fault::InSession,
     // A list takes its object, its member ends, then its bytes: the bytes are refused.
     .inject = [](FaultTable& t) { t.services.listGrantsLeft = 2; },
     .act = [](FaultTable& t) { t.Type(C::编辑框_第二列, kPastedWords); },
     // Fatal: the message names the bytes asked for, and the process ends before the column
     // takes a list it could not build.
     .described =
         [](FaultTable&, Window& w) {
           w.controls[C::编辑框_第二列] = kPastedWords;
           w.exitCode = -1;
           // The three words are six bytes.
           w.messages.push_back({"运行时出错!\r\n\r\n错误信息：分配 6 字节内存失败!\r\n", "错误",
                                 MessageKind::Error});
         },
     .lift = [](FaultTable& t) { t.services.listGrantsLeft.reset(); },
     .retry = Fault::NextStart,
     .succeeded =
         [](FaultTable& t) {
           EXPECT_EQ(t.Words(1), (std::vector<std::string>{"梨", "桃", "李"}));
           EXPECT_EQ(t.ui->Caption(C::标签_第二列), "3个");
         }},
    {.name = "DropDataWithoutAFileList",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.dragOffersFiles = false; },
     .act = [](FaultTable& t) { t.Drop(C::拖放对象_第二列); },
     .described = NothingChanges,  // the no-drop cursor, and the box keeps its words
     .lift = [](FaultTable& t) { t.dragOffersFiles = true; },
     .retry = Fault::SameProgram,
     .succeeded = ColumnHoldsTheFile(1)},
    {.name = "DroppedFileLockedAgainstReading",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.lockedPaths = {kWordsFile}; },
     .act = [](FaultTable& t) { t.Drop(C::拖放对象_第三列); },
     .described = ColumnThreeEmptied,
     .lift = [](FaultTable& t) { t.services.lockedPaths.clear(); },
     .retry = Fault::SameProgram,
     .succeeded = ColumnHoldsTheFile(2)},
    {.name = "DroppedFileReadFails",
     .when = Fault::InSession,
     .inject = [](FaultTable& t) { t.services.readFails = true; },
     .act = [](FaultTable& t) { t.Drop(C::拖放对象_第三列); },
     .described = ColumnThreeEmptied,
     .lift = [](FaultTable& t) { t.services.readFails = false; },
     .retry = Fault::SameProgram,
     .succeeded = ColumnHoldsTheFile(2)},
    {.name = "OleNotInitialised",
     .when = Fault::AtStart,
     .inject = [](FaultTable& t) { t.services.oleFails = true; },
     .act = [](FaultTable& t) { t.Drop(C::拖放对象_第二列); },
     // Everything else worked all session; only no box takes a drop, and nothing says so.
     .described = NothingChanges,
     .lift = [](FaultTable& t) { t.services.oleFails = false; },
     .retry = Fault::NextStart,
     .succeeded =
         [](FaultTable& t) {
           EXPECT_EQ(t.program->shell.attached.size(), 4u);
           ColumnHoldsTheFile(1)(t);
         }},
};

INSTANTIATE_TEST_SUITE_P(, FaultTable, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace wc::testing
