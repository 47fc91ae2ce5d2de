#pragma once
// The second widget family: controls with a font of their own and a full set of mouse and key events.
// The screens use the edit field and the label; the events exist for controls that want them.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/draw/Geometry.h"

namespace mv {

class TSurface;
class TTextCanvas;
class TPictureCollectionItem;

// A control's font, as the canvas takes it when the control draws its text.
struct TWFont {
  int size = 8;
  bool bold = false;
  uint32_t color = 0;  // 0x00BBGGRR, black at creation
  void applyTo(TTextCanvas& canvas) const;
};

class TDXWObject {
 public:
  using MouseEvent = std::function<void(TDXWObject& sender, int button, unsigned shift, int px, int py)>;
  using MoveEvent = std::function<void(TDXWObject& sender, unsigned shift, int px, int py)>;
  using KeyEvent = std::function<void(TDXWObject& sender, int key, unsigned shift)>;
  using CharEvent = std::function<void(TDXWObject& sender, uint8_t character)>;

  TDXWObject() = default;
  virtual ~TDXWObject() = default;
  TDXWObject(const TDXWObject&) = delete;
  TDXWObject& operator=(const TDXWObject&) = delete;

  virtual void draw(TSurface& target) {}
  virtual void setFocused(bool flag);
  virtual void mouseDown(int button, unsigned shift, int px, int py);
  // Answers whether the release was inside the control.
  virtual bool mouseUp(int button, unsigned shift, int px, int py);
  virtual void mouseMove(unsigned shift, int px, int py);
  virtual void keyDown(int key, unsigned shift);
  virtual void keyUp(int key, unsigned shift);
  virtual void keyPress(uint8_t character);
  virtual void updateBounds() { boundsRect = mv::boundsRect(left, top, width, height); }

  void setLeft(int32_t v) { left = v, updateBounds(); }
  void setTop(int32_t v) { top = v, updateBounds(); }
  void setWidth(int32_t v) { width = v, updateBounds(); }
  void setHeight(int32_t v) { height = v, updateBounds(); }
  // Right and bottom edges are outside, as everywhere on the surface.
  bool inBounds(int px, int py) const {
    return boundsRect.Left <= px && px < boundsRect.Right && boundsRect.Top <= py && py < boundsRect.Bottom;
  }

  bool focused = false;
  std::string caption;
  bool active = false;
  bool mouseIsDown = false;
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  int32_t downPointX = 0, downPointY = 0;
  MouseEvent onMouseUp, onMouseDown;
  MoveEvent onMouseMove;
  KeyEvent onKeyDown, onKeyUp;
  CharEvent onKeyPress;
  TWFont font;
  TRect boundsRect;
};

// A control drawn as a picture with its caption centred on it.
class TDXWImageObject : public TDXWObject {
 public:
  // The control takes the picture's pattern size.
  virtual void setImage(TPictureCollectionItem* picture);
  virtual int imageFrame() const { return mouseIsDown ? 1 : 0; }
  void draw(TSurface& target) override;

  TPictureCollectionItem* image = nullptr;
};

// Text drawn with nothing of it outside the clip rectangle.
void textOutClipped(TSurface& target, const TRect& clip, int x, int y, const std::string& text);

}  // namespace mv
