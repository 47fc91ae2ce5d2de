#pragma once
// A message the game draws itself over whatever screen is up, in its own font and code page: an error,
// a notice. Enter, Esc or its "Ok" button close it. While one is up it has the keys and the mouse; the
// frames go on behind it, and further messages wait their turn.

#include <deque>
#include <string>
#include <vector>

#include "engine/draw/Surface.h"
#include "shell/widgets/Button.h"
#include "shell/widgets/Widgets.h"

namespace mv {

class TDialog {
 public:
  static constexpr int kWidth = 480;
  static constexpr int kFontSize = 10;
  static constexpr int kLineStep = 18;

  // Layout centres on a display of this size.
  void setDisplaySize(int width, int height);
  // Queues a message (Windows-1251); shown at once when none is up.
  void show(const std::string& text);
  bool open() const { return !queue_.empty(); }
  // The message shown, empty when none is.
  std::string text() const { return open() ? queue_.front() : std::string(); }
  // Closes the message shown; the next one waiting comes up.
  void close();

  // Enter and Esc close it. True when the key was the dialog's.
  bool keyDown(int key);
  // The "Ok" button answers the mouse as every button does.
  void mouse(int x, int y, MouseKind kind);
  void draw(TSurface& target);

  // Where the panel and its lines stand, for the tests and the mouse.
  TRect panel() const { return panel_; }
  const std::vector<std::string>& lines() const { return lines_; }
  const TDXImageButton& okButton() const { return ok_; }

 private:
  void layout();

  std::deque<std::string> queue_;
  std::vector<std::string> lines_;
  TRect panel_{};
  TDXImageButton ok_;
  int displayWidth_ = 800, displayHeight_ = 600;
  TSurface measure_{1, 1};
};

// The words of text in lines no wider than width at the canvas's font; a word wider than a line is cut.
std::vector<std::string> wrapText(TTextCanvas& canvas, const std::string& text, int width);

}  // namespace mv
