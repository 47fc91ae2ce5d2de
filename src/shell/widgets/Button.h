#pragma once
// The first widget family: small plain objects with a position, a size and a click callback. The text
// button glows while the pointer rests on it; the others (check box, scroll bar, list box) build on the
// same base.

#include <cstdint>
#include <functional>
#include <string>

namespace mv {

class TSurface;
class TTextCanvas;

class TDXButton {
 public:
  TDXButton() = default;
  virtual ~TDXButton() = default;
  TDXButton(const TDXButton&) = delete;
  TDXButton& operator=(const TDXButton&) = delete;

  virtual void draw(TSurface& target) {}

  bool contains(int px, int py) const { return x <= px && px < x + width && y <= py && py < y + height; }
  void mouseMove(int px, int py) { hovered = contains(px, py); }
  // A press outside leaves the state as it was.
  void mouseDown(int px, int py) {
    if (contains(px, py)) pressed = true;
  }
  // A press that began inside clicks wherever it is released: dragging off a button does not cancel it.
  void mouseUp();

  bool pressed = false;
  bool hovered = false;
  // The menu's keyboard or pad highlight stands on it: it shows as the pointer's hover does.
  bool highlighted = false;
  std::string caption;
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool visible = true;
  std::function<void(TDXButton& sender)> onClick;
  // Left (-1) and Right (+1) on a highlighted widget that holds a value; unset, they do nothing.
  std::function<void(TDXButton& sender, int step)> onStep;
};

// A caption with a grey shadow; hovering makes it glow red and the shadow slide away.
class TDXImageButton : public TDXButton {
 public:
  static constexpr double kMaxGlow = 5;

  void draw(TSurface& target) override;
  // One frame of the hover animation (drawing advances it, so it runs at the frame rate).
  void stepGlow();
  // The caption's red while glowing: 15 at the first step up to 255 at full glow.
  uint8_t glowRed() const;

  double glow = 0;
};

// The widgets do not own the canvas's font: every text draw sets what it needs, since the title and
// the other widgets leave theirs behind (the title's fixed pitch among them).
void setWidgetFont(TTextCanvas& canvas, int size, bool bold);

}  // namespace mv
