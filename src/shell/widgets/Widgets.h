#pragma once
// The current screen's widgets in their tables, the builders that fill them, and the forwarding of the
// window's mouse and key events and of the frame's drawing to them.
//
// A click handler may tear its own screen down (most buttons do). The widgets it hides are therefore
// kept alive, hidden, until no event is being delivered any more, and an event stops reaching the old
// widgets as soon as the screen changed under it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/draw/Surface.h"
#include "shell/widgets/Button.h"
#include "shell/widgets/CheckBox.h"
#include "shell/widgets/Edit.h"
#include "shell/widgets/Label.h"
#include "shell/widgets/ListBox.h"
#include "shell/widgets/OptionRow.h"

namespace mv {

class TDXDraw;
class TPictureCollection;

enum class MouseKind { Move, Down, Up };
enum class KeyKind { KeyDown, Character, Hover };

class TWidgets {
 public:
  using ClickHandler = std::function<void(TDXButton& sender)>;

  // The layout centres on the display's stored width.
  TWidgets(TPictureCollection& images, TDXDraw& display);
  ~TWidgets();
  TWidgets(const TWidgets&) = delete;
  TWidgets& operator=(const TWidgets&) = delete;

  // A top of 0 stacks the button under the ones before it.
  TDXImageButton& addButton(const std::string& caption, int32_t top, ClickHandler onClick);
  TDXWLabel& addLabel(const std::string& text, int32_t top);
  // A label's new text, centred again.
  void setLabelText(TDXWLabel& label, const std::string& text);
  TDXWEdit& addNumberEdit(const std::string& text, bool numericOnly, int32_t maxValue);
  TDXImageCheckBox& addCheckBox(int32_t left, int32_t top, const std::string& caption);
  // A new level list from the levels in mapsFolder; the previous list goes.
  TDXImageListBox& addMapList(int32_t left, int32_t top);
  // A setting's line at (left, top), width wide, its value's column valueLeft in from the left.
  TDXOptionRow& addOption(const std::string& caption, int32_t left, int32_t top, int32_t width,
                          int32_t valueLeft);

  // Every widget of the tables is hidden and the tables are emptied. The level list stays: only the
  // setup screen uses it, and each setup screen makes its own.
  void hideWidgets();

  void widgetsMouse(int x, int y, MouseKind kind);
  void widgetsKey(int x, int y, KeyKind kind, unsigned shift, uint8_t character, int keyCode);
  void drawWidgets(TSurface& target);

  // The menu by keys or a pad (MenuKeys.cpp). Once one of them is used a highlight stands on a widget:
  // Up and Down (unless listTakesArrows: the setup screen's level list has them) and Tab (Shift+Tab
  // back) move it, Left and Right change the value under it, Enter presses it, Esc runs onBack. True
  // when the key was the menu's.
  bool menuKey(int key, unsigned shift, bool listTakesArrows);
  // The highlight, when shown, goes to this widget.
  void focusOn(const TDXButton* widget);
  // Esc on this screen: back one screen. Each build sets its own; emptying the tables clears it.
  std::function<void()> onBack;

  const std::vector<std::unique_ptr<TDXImageButton>>& buttons() const { return buttons_; }
  const std::vector<std::unique_ptr<TDXWEdit>>& edits() const { return edits_; }
  const std::vector<std::unique_ptr<TDXWLabel>>& labels() const { return labels_; }
  const std::vector<std::unique_ptr<TDXImageCheckBox>>& checkBoxes() const { return checkBoxes_; }
  const std::vector<std::unique_ptr<TDXOptionRow>>& options() const { return options_; }
  TDXImageListBox* mapList() const { return mapList_.get(); }
  // Hidden widgets waiting for the event that hid them to finish.
  size_t retiredCount() const { return retiredButtons_.size() + retiredControls_.size(); }

  std::string mapsFolder = "Maps";
  int32_t displayWidth() const;

 private:
  // Counts nested deliveries so retired widgets are freed only once none is running.
  class Delivery {
   public:
    explicit Delivery(TWidgets& widgets) : widgets_(widgets) {
      if (widgets_.deliveries_++ == 0) widgets_.freeRetired();
    }
    ~Delivery() { --widgets_.deliveries_; }
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

   private:
    TWidgets& widgets_;
  };

  // What the highlight can stand on: a widget of the first family or an edit.
  struct FocusItem {
    TDXButton* button = nullptr;
    TDXWEdit* edit = nullptr;
    int32_t x = 0, y = 0;
    const void* widget() const { return button ? static_cast<const void*>(button) : edit; }
  };

  void freeRetired();
  // Top to bottom, then left to right, the shown widgets the highlight visits.
  std::vector<FocusItem> focusItems() const;
  void showHighlight(const std::vector<FocusItem>& items);
  void pressFocused(const FocusItem& item, const std::vector<FocusItem>& items);
  void stepFocused(const FocusItem& item, int step);
  // A new screen under a shown highlight: it goes to the screen's first widget.
  void keepHighlight();
  // The pointer went somewhere else: the highlight gives way to it.
  void pointerMoved(int x, int y);

  TPictureCollection& images_;
  TDXDraw& display_;
  TSurface measure_{1, 1};  // text is measured here so the back surface's font stays as it was
  std::vector<std::unique_ptr<TDXImageButton>> buttons_;
  std::vector<std::unique_ptr<TDXWEdit>> edits_;
  std::vector<std::unique_ptr<TDXWLabel>> labels_;
  std::vector<std::unique_ptr<TDXImageCheckBox>> checkBoxes_;
  std::vector<std::unique_ptr<TDXOptionRow>> options_;
  std::unique_ptr<TDXImageListBox> mapList_;
  std::vector<std::unique_ptr<TDXButton>> retiredButtons_;
  std::vector<std::unique_ptr<TDXWObject>> retiredControls_;
  uint64_t generation_ = 0;  // moves on whenever the tables are emptied or the list replaced
  int deliveries_ = 0;
  bool highlightShown_ = false;        // keys or a pad were used, and the pointer has not moved since
  const void* focused_ = nullptr;      // the widget under the highlight
  int pointerX_ = -1, pointerY_ = -1;  // where the pointer was last seen
};

}  // namespace mv
