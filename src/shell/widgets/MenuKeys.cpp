// The menus by keys and pads: a highlight over the current screen's widgets, moved, pressed and stepped
// by keys, while the mouse keeps working as it always did.
#include <algorithm>
#include <string>

#include "engine/draw/Surface.h"
#include "platform/Platform.h"
#include "shell/widgets/Widgets.h"

namespace mv {
namespace {

constexpr int kTab = 9, kEnter = 13, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

void lightEdit(TDXWEdit& edit, bool lit) {
  // Typing goes to the field under the highlight, as it goes to the one under the pointer.
  edit.active = lit;
  edit.font.color = lit ? colorRef(255, 255, 255) : colorRef(255, 255, 0);
}

}  // namespace

std::vector<TWidgets::FocusItem> TWidgets::focusItems() const {
  std::vector<FocusItem> items;
  for (const auto& w : buttons_)
    if (w->visible) items.push_back({w.get(), nullptr, w->x, w->y});
  for (const auto& w : checkBoxes_)
    if (w->visible) items.push_back({w.get(), nullptr, w->x, w->y});
  for (const auto& w : options_)
    if (w->visible) items.push_back({w.get(), nullptr, w->x, w->y});
  for (const auto& w : edits_)
    if (w->visible) items.push_back({nullptr, w.get(), w->left, w->top});
  std::stable_sort(items.begin(), items.end(),
                   [](const FocusItem& a, const FocusItem& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return items;
}

void TWidgets::showHighlight(const std::vector<FocusItem>& items) {
  for (const FocusItem& item : items) {
    const bool lit = highlightShown_ && item.widget() == focused_;
    if (item.button) item.button->highlighted = lit;
    if (item.edit && (lit || highlightShown_)) lightEdit(*item.edit, lit);
  }
}

void TWidgets::focusOn(const TDXButton* widget) {
  focused_ = widget;
  showHighlight(focusItems());
}

void TWidgets::keepHighlight() {
  if (!highlightShown_) return;
  const std::vector<FocusItem> items = focusItems();
  const bool standing =
      std::any_of(items.begin(), items.end(), [this](const FocusItem& i) { return i.widget() == focused_; });
  if (standing || items.empty()) return;
  focused_ = items.front().widget();
  showHighlight(items);
}

void TWidgets::pointerMoved(int x, int y) {
  if (x == pointerX_ && y == pointerY_) return;
  pointerX_ = x;
  pointerY_ = y;
  if (!highlightShown_) return;
  highlightShown_ = false;
  for (const FocusItem& item : focusItems())
    if (item.button) item.button->highlighted = false;
}

void TWidgets::stepFocused(const FocusItem& item, int step) {
  if (item.edit) {
    TDXWEdit& edit = *item.edit;
    if (!edit.numericOnly) return;
    const int32_t value = parseBoundedNumber(edit.caption, edit.maxValue) + step;
    edit.setText(std::to_string(std::clamp(value, 0, std::max(edit.maxValue, 0))));
    return;
  }
  if (auto* box = dynamic_cast<TDXImageCheckBox*>(item.button)) {
    box->checked = !box->checked;
    return;
  }
  if (item.button->onStep) item.button->onStep(*item.button, step);
}

void TWidgets::pressFocused(const FocusItem& item, const std::vector<FocusItem>& items) {
  if (item.edit) {
    // Enter ends the typing: on to the next widget.
    const auto at = std::find_if(items.begin(), items.end(),
                                 [&](const FocusItem& i) { return i.widget() == item.widget(); });
    focused_ = at + 1 == items.end() ? items.front().widget() : (at + 1)->widget();
    showHighlight(items);
    return;
  }
  TDXButton& button = *item.button;
  if (auto* box = dynamic_cast<TDXImageCheckBox*>(&button)) {
    box->checked = !box->checked;
  } else if (button.onClick) {
    button.onClick(button);
  } else if (button.onStep) {
    button.onStep(button, 1);
  }
}

bool TWidgets::menuKey(int key, unsigned shift, bool listTakesArrows) {
  Delivery delivery(*this);
  if (key == kEscape) {
    if (!onBack) return false;
    const std::function<void()> back = onBack;  // the screen it belongs to may go while it runs
    back();
    return true;
  }
  const bool move = key == kTab || ((key == kUp || key == kDown) && !listTakesArrows);
  if (!move && key != kEnter && key != kLeft && key != kRight) return false;
  const std::vector<FocusItem> items = focusItems();
  if (items.empty()) return false;
  auto at =
      std::find_if(items.begin(), items.end(), [&](const FocusItem& i) { return i.widget() == focused_; });
  if (!highlightShown_ || at == items.end()) {
    // The first key only shows where the highlight stands: on what the pointer rests on, or the first.
    if (at == items.end()) {
      at = std::find_if(items.begin(), items.end(),
                        [](const FocusItem& i) { return i.button && i.button->hovered; });
      if (at == items.end()) at = items.begin();
    }
    highlightShown_ = true;
    focused_ = at->widget();
    showHighlight(items);
    return true;
  }
  if (move) {
    const bool back = key == kUp || (key == kTab && (shift & ssShift));
    const auto n = static_cast<ptrdiff_t>(items.size());
    const ptrdiff_t i = ((at - items.begin()) + (back ? n - 1 : 1)) % n;
    focused_ = items[static_cast<size_t>(i)].widget();
    showHighlight(items);
  } else if (key == kEnter) {
    pressFocused(*at, items);
  } else {
    stepFocused(*at, key == kRight ? 1 : -1);
  }
  return true;
}

}  // namespace mv
