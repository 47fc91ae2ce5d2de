// The widgets on their own: clicks, the glow, the check box's square, numeric edits, the level list.
#include <gtest/gtest.h>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "shell/screens/Dialog.h"
#include "shell/widgets/Button.h"
#include "shell/widgets/CheckBox.h"
#include "shell/widgets/Edit.h"
#include "shell/widgets/ListBox.h"

namespace mv {
namespace {

TEST(ButtonClick, APressThatBeganInsideClicksWhereverItIsReleased) {
  int clicks = 0;
  TDXImageButton b;
  b.x = 350, b.y = 120, b.width = 100, b.height = 25;
  b.onClick = [&](TDXButton&) { ++clicks; };
  b.mouseDown(360, 130);
  b.mouseMove(10, 10);
  b.mouseUp();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b.pressed);
  b.mouseUp();  // one press, one click
  EXPECT_EQ(clicks, 1);
  // Pressed outside and released inside: nothing.
  b.mouseDown(349, 130);
  b.mouseMove(360, 130);
  b.mouseUp();
  EXPECT_EQ(clicks, 1);
  // The right and bottom edges are outside.
  b.mouseDown(450, 130);
  b.mouseDown(360, 145);
  b.mouseUp();
  EXPECT_EQ(clicks, 1);
  b.mouseDown(449, 144);
  b.mouseUp();
  EXPECT_EQ(clicks, 2);
}

TEST(ButtonGlow, BuildsWhileHoveredFadesFasterAndDiesWhilePressed) {
  TDXImageButton b;
  b.hovered = true;
  for (int i = 0; i < 25; ++i) b.stepGlow();
  EXPECT_NEAR(b.glow, 5, 1e-9);
  for (int i = 0; i < 100; ++i) b.stepGlow();
  EXPECT_EQ(b.glow, 5);  // held at 5: summed steps never overshoot
  EXPECT_EQ(b.glowRed(), 255);
  b.hovered = false;
  for (int i = 0; i < 12; ++i) b.stepGlow();
  EXPECT_GT(b.glow, 0);
  b.stepGlow();
  EXPECT_EQ(b.glow, 0);
  b.hovered = true;
  b.stepGlow();
  EXPECT_EQ(b.glowRed(), 15);
  b.pressed = true;
  b.stepGlow();
  EXPECT_EQ(b.glow, 0);
  b.pressed = false;
  b.stepGlow();
  EXPECT_NEAR(b.glow, 0.2, 1e-9);
}

// The caption's solid pixels carry the face colour exactly.
int countPixels(const TSurface& s, uint16_t value) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) n += s.row(y)[x] == value;
  return n;
}

TEST(ButtonGlow, AFullyGlowingCaptionIsBrightRedNotWrappedToBlack) {
  TSurface surface(200, 60);
  TDXImageButton b;
  b.x = 50, b.y = 10, b.width = 100, b.height = 25, b.caption = "WWW";
  b.draw(surface);
  EXPECT_GT(countPixels(surface, rgb565(255, 255, 255)), 20);  // no glow: white
  b.hovered = true;
  for (int i = 0; i < 60; ++i) {
    surface.fill(0);
    b.draw(surface);
  }
  EXPECT_GT(countPixels(surface, rgb565(255, 0, 0)), 20);
  EXPECT_EQ(countPixels(surface, rgb565(255, 255, 255)), 0);
  b.visible = false;
  surface.fill(0);
  b.draw(surface);
  EXPECT_EQ(countPixels(surface, 0), 200 * 60);
}

TEST(CheckBox, TogglesInItsSeventeenPixelSquareOnly) {
  TDXImageCheckBox box;
  box.x = 10, box.y = 330, box.width = 40, box.height = 40;  // a larger picture changes nothing
  box.toggleAt(10 + 16, 330 + 16);
  EXPECT_TRUE(box.checked);
  box.toggleAt(10, 330);
  EXPECT_FALSE(box.checked);
  for (auto [px, py] : {std::pair{27, 330}, {10, 347}, {9, 335}, {15, 329}}) box.toggleAt(px, py);
  EXPECT_FALSE(box.checked);
}

struct NumericEdit : ::testing::Test {
  TDXWEdit edit;
  int changes = 0;
  void SetUp() override {
    edit.numericOnly = true;
    edit.maxValue = 100;
    edit.setText("1");
    edit.active = true;
    edit.onChange = [this](TDXWEdit&) { ++changes; };
  }
  void type(const std::string& text) {
    for (char c : text) edit.keyPress(static_cast<uint8_t>(c));
  }
};

TEST_F(NumericEdit, TypingIsClampedAndLeadingZerosGo) {
  edit.setText("");
  type("250");
  EXPECT_EQ(edit.caption, "100");
  type("7");
  EXPECT_EQ(edit.caption, "100");
  edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "10");
  edit.setText("5");
  edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "0");
  edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "0");
  type("0");
  EXPECT_EQ(edit.caption, "0");
  type("7");
  EXPECT_EQ(edit.caption, "7");
}

TEST_F(NumericEdit, NonDigitsChangeNothingEvenOnZero) {
  edit.setText("12");
  changes = 0;
  type("a-\xE9 ");
  EXPECT_EQ(edit.caption, "12");
  edit.setText("0");
  changes = 0;
  type("a");
  EXPECT_EQ(edit.caption, "0");
  EXPECT_EQ(changes, 0);
  edit.setText("0");  // the same text fires nothing
  EXPECT_EQ(changes, 0);
}

TEST_F(NumericEdit, TypingNeedsTheFieldActiveAndEnterEndsIt) {
  edit.keyDown(TDXWEdit::kEnter, 0);
  type("5");
  EXPECT_EQ(edit.caption, "1");
  edit.active = true;
  edit.visible = false;
  type("5");
  edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "1");
}

TEST(TextEdit, TakesAnyCharacterWithoutAMaximum) {
  TDXWEdit edit;
  edit.active = true;
  for (char c : std::string("Bob 99")) edit.keyPress(static_cast<uint8_t>(c));
  EXPECT_EQ(edit.caption, "Bob 99");
  edit.keyDown(TDXWEdit::kBackspace, 0);
  edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "Bob ");
  for (int i = 0; i < 10; ++i) edit.keyDown(TDXWEdit::kBackspace, 0);
  EXPECT_EQ(edit.caption, "");
}

TEST(NumberParse, NeverOverflows) {
  EXPECT_EQ(parseBoundedNumber("42", 100), 42);
  EXPECT_EQ(parseBoundedNumber("99999999999999999999999", 100), 100);
  EXPECT_EQ(parseBoundedNumber("99999999999999999999999", INT32_MAX), INT32_MAX);
  EXPECT_EQ(parseBoundedNumber("", 100), 0);
  EXPECT_EQ(parseBoundedNumber("7x9", 100), 7);
}

void fill(TDXImageListBox& list, int n) {
  list.x = 10, list.y = 100;
  for (int i = 0; i < n; ++i) list.items.push_back("level" + std::to_string(i));
  list.setup();
  list.scrollBar.height = 206;  // as the "ListBox" picture makes it
}

TEST(LevelList, ManyItemsScrollOneStepAtATimeWithinTheEnds) {
  TDXImageListBox list;
  fill(list, 25);
  TDXScrollBar& bar = list.scrollBar;
  EXPECT_EQ(list.selectedText, "level0");
  bar.keyDown(TDXScrollBar::kVkUp);
  EXPECT_EQ(bar.position, 0);
  bar.mouseDown(bar.x + 16, bar.y + 16);  // the up arrow at the top: neither moves nor shows pressed
  EXPECT_EQ(bar.upPressed, 0);
  bar.mouseDown(bar.x + 16, bar.y + bar.height);
  EXPECT_EQ(bar.position, 1);
  EXPECT_EQ(bar.downPressed, 1);
  bar.mouseUp();
  EXPECT_EQ(bar.downPressed, 0);
  bar.mouseDown(bar.x + 17, bar.y + bar.height);  // beside the arrow
  bar.mouseDown(bar.x, bar.y + 100);              // between the arrows
  EXPECT_EQ(bar.position, 1);
  for (int i = 0; i < 40; ++i) bar.keyDown(TDXScrollBar::kVkDown);
  EXPECT_EQ(bar.position, 24);
  EXPECT_EQ(list.currentItem(), "level24");
  EXPECT_EQ(bar.thumbY(), bar.y + 18 + (206 - 48) / 24 * 24);
  bar.keyDown(13);
  EXPECT_EQ(bar.position, 24);
}

TEST(LevelList, OneItemOrNoneDrawsAndStays) {
  TSurface surface(400, 400);
  for (int n : {0, 1}) {
    TDXImageListBox list;
    fill(list, n);
    TDXScrollBar& bar = list.scrollBar;
    EXPECT_EQ(bar.thumbY(), bar.y + 18) << n;
    for (int key : {TDXScrollBar::kVkDown, TDXScrollBar::kVkUp}) bar.keyDown(key);
    bar.mouseDown(bar.x, bar.y + bar.height);
    EXPECT_EQ(bar.position, 0) << n;
    list.draw(surface);
    EXPECT_EQ(list.selectedText, n ? "level0" : "") << n;
  }
}

TEST(LevelList, TheSelectedItemIsTheTopRowAndTheRowsBelowRunOut) {
  TSurface surface(300, 330);
  TDXImageListBox list;
  fill(list, 25);
  list.scrollBar.position = 20;
  list.draw(surface);
  EXPECT_EQ(list.selectedText, "level20");
  auto rowHasText = [&](int row) {
    for (int y = list.y + 5 + 20 * row; y < list.y + 5 + 20 * row + 14; ++y)
      for (int x = list.x; x < list.x + 150; ++x)
        if (surface.row(y)[x] != 0) return true;
    return false;
  };
  for (int row = 0; row < 5; ++row) EXPECT_TRUE(rowHasText(row)) << row;
  for (int row = 5; row < 10; ++row) EXPECT_FALSE(rowHasText(row)) << row;
}

TEST(Dialog, TextIsWrappedToThePanelAndLongWordsAreCut) {
  TSurface measure(1, 1);
  TTextCanvas& canvas = measure.canvas();
  setWidgetFont(canvas, TDialog::kFontSize, false);
  const std::string longWord(200, 'W');
  const std::vector<std::string> lines = wrapText(canvas, "one two\nthree " + longWord, 150);
  ASSERT_GE(lines.size(), 4u);
  std::string rest;
  for (size_t i = 2; i < lines.size(); ++i) rest += lines[i];
  EXPECT_EQ(lines[0] + "|" + lines[1] + "|" + rest, "one two|three|" + longWord);  // cut, nothing lost
  for (const std::string& line : lines) EXPECT_LE(canvas.textWidth(line), 150) << line;
}

}  // namespace
}  // namespace mv
