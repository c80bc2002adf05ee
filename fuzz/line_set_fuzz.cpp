// The de-duplication of a run's lines against std::unordered_set: LineSet::Insert, Clear and
// AddLinesOf, and AppendNewLines over a LineBatch made by the pass engine, must take and turn
// away the same lines, count the same and write the same result.
//
// Input: one control byte, then a text whose lines (cut at CR LF as a box is) are the lines
// of the run. The control byte's low half picks how many lines each AppendNewLines call gets,
// its high half how many of the lines the result box holds before the run.

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "columns/split_lines.h"
#include "combine/engine.h"
#include "fuzz_support.h"

namespace {

using wc::fuzz::Require;
using Lines = std::vector<std::string>;

void CheckInsert(wc::LineSet& set, const Lines& lines) {
  std::unordered_set<std::string> reference;
  for (const std::string& line : lines) {
    Require(set.Insert(line) == reference.insert(line).second, "Insert takes a line only once");
    Require(set.Size() == reference.size(), "Size after Insert");
  }
  for (const std::string& line : lines) Require(!set.Insert(line), "every line stays in");
}

// Each line as the pass engine writes it: a one-word first column drawn once. An empty line
// is a column without words, which adds nothing to the line.
wc::LineBatch MakeBatch(const Lines& lines) {
  wc::LineBatch batch;
  wc::PassEngine engine;
  for (const std::string& line : lines) {
    wc::ColumnInputs inputs;
    inputs.lists[0] = wc::SplitLines(line);
    engine.Use(inputs);
    engine.Pass(batch);
  }
  Require(batch.Lines() == lines.size(), "one batch line per pass");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Require(batch.Line(i) == lines[i], "batch line without its CR LF");
  }
  return batch;
}

std::string Joined(const Lines& lines, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

void CheckRun(const Lines& lines, std::size_t perCall, std::size_t linesInTheBox) {
  // The box's text is read back as the box shows it; a line ending in a lead byte takes the
  // CR after it, so the reference cuts that text again instead of trusting `lines`.
  const std::string box = Joined(lines, linesInTheBox);
  wc::LineSet seen;
  seen.AddLinesOf(box);
  std::unordered_set<std::string> reference;
  for (const std::string& line : wc::fuzz::ReferenceLines(box)) reference.insert(line);
  Require(seen.Size() == reference.size(), "Size after AddLinesOf");

  const wc::LineBatch batch = MakeBatch(lines);
  std::string out;
  for (std::size_t first = 0; first < batch.Lines(); first += perCall) {
    wc::AppendNewLines(batch, first, std::min(first + perCall, batch.Lines()), seen, out);
  }
  std::string expected;
  for (const std::string& line : lines) {
    if (reference.insert(line).second) expected += line + "\r\n";
  }
  Require(out == expected, "AppendNewLines writes each new line once, in order");
  Require(seen.Size() == reference.size(), "Size after AppendNewLines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t perCall = 1 + (data[0] & 0x0F);
  const Lines lines = wc::fuzz::ReferenceLines(wc::fuzz::AsText(data + 1, size - 1));
  const std::size_t linesInTheBox = std::min<std::size_t>(data[0] >> 4, lines.size());

  wc::LineSet set;
  CheckInsert(set, lines);
  // A cleared set is an empty one, however large it had grown.
  set.Clear();
  Require(set.Size() == 0, "Size after Clear");
  CheckInsert(set, lines);

  CheckRun(lines, perCall, linesInTheBox);
  return 0;
}
