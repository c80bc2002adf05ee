#pragma once
// The rules every implementation of the control model keeps. Each implementation's test file
// supplies a harness and instantiates the suite:
//
//   struct Harness {
//     Harness();                        // a fresh main window in its state at start
//     wc::ControlModel& Controls();
//     wc::testing::RecordingSink& Sink();
//     void UserClicks(wc::Control);     // as a user's mouse click would
//   };

#include <gtest/gtest.h>

#include <string>

#include "support/recording_sink.h"
#include "ui/control_model.h"

namespace wc::testing {

template <typename Harness>
class ControlContract : public ::testing::Test {
 protected:
  Harness harness;
  ControlModel& controls() { return harness.Controls(); }
  RecordingSink& sink() { return harness.Sink(); }
};

TYPED_TEST_SUITE_P(ControlContract);

TYPED_TEST_P(ControlContract, StartsInTheStateAtStart) {
  ControlModel& c = this->controls();
  for (const InitialState& s : kInitialStates) {
    SCOPED_TRACE(std::string(NameOf(s.control)));
    switch (s.kind) {
      case ControlKind::EditBox:
        EXPECT_EQ(c.Text(s.control), s.text);
        break;
      case ControlKind::CheckBox:
        EXPECT_EQ(c.Checked(s.control), s.checked ? 1 : 0);
        EXPECT_EQ(c.Enabled(s.control), s.enabled);
        EXPECT_EQ(c.Caption(s.control), s.text);
        break;
      case ControlKind::Label:
      case ControlKind::Button:
      case ControlKind::GroupBox:
      case ControlKind::TransLabel:
        EXPECT_EQ(c.Caption(s.control), s.text);
        break;
      case ControlKind::ProcessBar:
        EXPECT_EQ(c.ProgressMaximum(s.control), 100);
        EXPECT_EQ(c.ProgressShown(s.control), 0);
        break;
      case ControlKind::DropTarget:
        break;
    }
  }
  EXPECT_EQ(c.Checked(Control::选择框_第一列), 1);
  EXPECT_FALSE(c.Enabled(Control::选择框_第一列));
  EXPECT_EQ(c.Text(Control::编辑框_输出条数), "0");
  EXPECT_EQ(c.Caption(Control::标签_第三列), "当前词数0个");
}

TYPED_TEST_P(ControlContract, SetTextRaisesContentChangedOnceWithTheNewTextInPlace) {
  ControlModel& c = this->controls();
  std::string seenInside;
  this->sink().onRaise = [&](std::optional<Control> control, Event) {
    if (control == Control::编辑框_第二列) seenInside = c.Text(Control::编辑框_第二列);
  };
  this->sink().events.clear();
  c.SetText(Control::编辑框_第二列, "苹果\r\n香蕉");
  EXPECT_EQ(seenInside, "苹果\r\n香蕉");
  EXPECT_EQ(this->sink().Count(Control::编辑框_第二列, Event::ContentChanged), 1u);
  EXPECT_EQ(this->sink().events.size(), 1u);

  c.SetText(Control::编辑框_第二列, "苹果\r\n香蕉");  // unchanged: raised all the same
  EXPECT_EQ(this->sink().Count(Control::编辑框_第二列, Event::ContentChanged), 2u);

  c.SetText(Control::编辑框_第二列, "");
  EXPECT_EQ(this->sink().Count(Control::编辑框_第二列, Event::ContentChanged), 3u);
  EXPECT_EQ(c.Text(Control::编辑框_第二列), "");
  EXPECT_EQ(this->sink().events.size(), 3u);
}

TYPED_TEST_P(ControlContract, TextKeepsEveryByteOfTheCodePage) {
  ControlModel& c = this->controls();
  // Double-byte words, a lone LF and CR, tabs, spaces and a long text survive a round trip.
  std::string text = " 手机\t壳 \r\n\r\na\nb\rc\r\n";
  for (int i = 0; i < 3000; ++i) text += "青禾词语" + std::to_string(i) + "\r\n";
  c.SetText(Control::编辑框_结果, text);
  EXPECT_EQ(c.Text(Control::编辑框_结果), text);
}

TYPED_TEST_P(ControlContract, AppendTextAddsAtTheEndAndRaisesOnce) {
  ControlModel& c = this->controls();
  c.SetText(Control::编辑框_结果, "一\r\n");
  this->sink().events.clear();
  c.AppendText(Control::编辑框_结果, "二\r\n三\r\n");
  EXPECT_EQ(c.Text(Control::编辑框_结果), "一\r\n二\r\n三\r\n");
  EXPECT_EQ(this->sink().Count(Control::编辑框_结果, Event::ContentChanged), 1u);
}

TYPED_TEST_P(ControlContract, ProgressValuesAreLimitedAndTheBarShowsTheLowerOfPositionAndMaximum) {
  ControlModel& c = this->controls();
  struct Case {
    std::int32_t maximum, position, shownMaximum, shown;
  };
  const Case cases[] = {
      {5, 3, 5, 3},
      {40000, 40000, 32767, 32767},
      {50, 80, 50, 50},
      {100, -3, 100, 0},
      {-7, 10, 0, 0},
      {2147483647, 32767, 32767, 32767},
      {10, -2147483647 - 1, 10, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.maximum) + " / " + std::to_string(k.position));
    c.SetProgressMaximum(Control::进度条1, k.maximum);
    c.SetProgressPosition(Control::进度条1, k.position);
    EXPECT_EQ(c.ProgressMaximum(Control::进度条1), k.shownMaximum);
    EXPECT_EQ(c.ProgressShown(Control::进度条1), k.shown);
  }
  // A position above the maximum is kept and shows once the maximum grows.
  c.SetProgressMaximum(Control::进度条1, 10);
  c.SetProgressPosition(Control::进度条1, 20);
  c.SetProgressMaximum(Control::进度条1, 30);
  EXPECT_EQ(c.ProgressShown(Control::进度条1), 20);
}

TYPED_TEST_P(ControlContract, ClickingACheckBoxTogglesItBeforeClickedIsRaised) {
  ControlModel& c = this->controls();
  int checkedInside = -1;
  this->sink().onRaise = [&](std::optional<Control> control, Event event) {
    if (control == Control::选择框_去重 && event == Event::Clicked) {
      checkedInside = c.Checked(Control::选择框_去重);
    }
  };
  this->harness.UserClicks(Control::选择框_去重);
  EXPECT_EQ(checkedInside, 1);
  EXPECT_EQ(this->sink().Count(Control::选择框_去重, Event::Clicked), 1u);
  this->harness.UserClicks(Control::选择框_去重);
  EXPECT_EQ(c.Checked(Control::选择框_去重), 0);
  EXPECT_EQ(this->sink().Count(Control::选择框_去重, Event::Clicked), 2u);
}

TYPED_TEST_P(ControlContract, ADisabledCheckBoxTakesNoClick) {
  ControlModel& c = this->controls();
  this->sink().events.clear();
  this->harness.UserClicks(Control::选择框_第一列);
  EXPECT_EQ(c.Checked(Control::选择框_第一列), 1);
  EXPECT_TRUE(this->sink().events.empty());
}

TYPED_TEST_P(ControlContract, SettingTheCheckedStateRaisesNoEvent) {
  ControlModel& c = this->controls();
  this->sink().events.clear();
  c.SetChecked(Control::选择框_第二列, 1);
  EXPECT_EQ(c.Checked(Control::选择框_第二列), 1);
  c.SetChecked(Control::选择框_第二列, 2);  // anything but 1 unchecks
  EXPECT_EQ(c.Checked(Control::选择框_第二列), 0);
  c.SetChecked(Control::选择框_第二列, 1);
  c.SetChecked(Control::选择框_第二列, 0);
  EXPECT_EQ(c.Checked(Control::选择框_第二列), 0);
  EXPECT_TRUE(this->sink().events.empty());
  EXPECT_FALSE(this->sink().stateChanges.empty());
}

TYPED_TEST_P(ControlContract, ButtonsRaiseClickedAndCaptionsChangeSilently) {
  ControlModel& c = this->controls();
  this->sink().events.clear();
  this->harness.UserClicks(Control::按钮_清空第三列);
  EXPECT_EQ(this->sink().events,
            (std::vector<RaisedEvent>{{Control::按钮_清空第三列, Event::Clicked}}));
  c.SetCaption(Control::标签_第一列, "12个");
  c.SetCaption(Control::标签_第二列, "a&b");
  EXPECT_EQ(c.Caption(Control::标签_第一列), "12个");
  EXPECT_EQ(c.Caption(Control::标签_第二列), "a&b");
  EXPECT_EQ(this->sink().events.size(), 1u);
}

TYPED_TEST_P(ControlContract, EveryEditBoxHasAWindowOfItsOwn) {
  ControlModel& c = this->controls();
  const Control boxes[] = {Control::编辑框_第一列, Control::编辑框_第二列,
                           Control::编辑框_第三列, Control::编辑框_第四列,
                           Control::编辑框_结果,   Control::编辑框_输出条数};
  for (Control a : boxes) {
    EXPECT_NE(c.WindowHandle(a), nullptr);
    for (Control b : boxes) {
      if (a != b) {
        EXPECT_NE(c.WindowHandle(a), c.WindowHandle(b));
      }
    }
  }
}

REGISTER_TYPED_TEST_SUITE_P(ControlContract, StartsInTheStateAtStart,
                            SetTextRaisesContentChangedOnceWithTheNewTextInPlace,
                            TextKeepsEveryByteOfTheCodePage, AppendTextAddsAtTheEndAndRaisesOnce,
                            ProgressValuesAreLimitedAndTheBarShowsTheLowerOfPositionAndMaximum,
                            ClickingACheckBoxTogglesItBeforeClickedIsRaised,
                            ADisabledCheckBoxTakesNoClick, SettingTheCheckedStateRaisesNoEvent,
                            ButtonsRaiseClickedAndCaptionsChangeSilently,
                            EveryEditBoxHasAWindowOfItsOwn);

}  // namespace wc::testing
