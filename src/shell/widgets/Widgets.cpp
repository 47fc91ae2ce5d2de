#include "shell/widgets/Widgets.h"

#include "engine/archive/PictureCollection.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/TextCanvas.h"
#include "game/Globals.h"
#include "shell/widgets/LevelList.h"

namespace mv {

namespace {

constexpr int32_t kButtonWidth = 100, kButtonHeight = 25;
constexpr int32_t kStackStep = 50, kStackTop = 70;
constexpr int32_t kListRows = 10;
constexpr int kEnterCode = 13;

template <typename T>
std::vector<T*> snapshot(const std::vector<std::unique_ptr<T>>& table) {
  std::vector<T*> out;
  out.reserve(table.size());
  for (const auto& w : table) out.push_back(w.get());
  return out;
}

template <typename T, typename Retired>
void retire(std::vector<std::unique_ptr<T>>& table, std::vector<std::unique_ptr<Retired>>& retired) {
  for (auto& w : table) {
    w->visible = false;
    retired.push_back(std::move(w));
  }
  table.clear();
}

// The level list works on the screens that set up a match.
bool onSetupScreen() {
  return globals().screenState == NewGame || globals().screenState == NetHost;
}

}  // namespace

TWidgets::TWidgets(TPictureCollection& images, TDXDraw& display) : images_(images), display_(display) {}
TWidgets::~TWidgets() = default;

int32_t TWidgets::displayWidth() const {
  return display_.Display.Width;
}

void TWidgets::freeRetired() {
  retiredButtons_.clear();
  retiredControls_.clear();
}

TDXImageButton& TWidgets::addButton(const std::string& caption, int32_t top, ClickHandler onClick) {
  auto button = std::make_unique<TDXImageButton>();
  button->x = (displayWidth() - kButtonWidth) / 2;
  button->y =
      top != 0 ? top : static_cast<int32_t>(buttons_.size() + 1 + edits_.size()) * kStackStep + kStackTop;
  button->width = kButtonWidth;
  button->height = kButtonHeight;
  button->caption = caption;
  button->onClick = std::move(onClick);
  buttons_.push_back(std::move(button));
  return *buttons_.back();
}

TDXWLabel& TWidgets::addLabel(const std::string& text, int32_t top) {
  auto label = std::make_unique<TDXWLabel>();
  label->setTop(top);
  setLabelText(*label, text);
  labels_.push_back(std::move(label));
  return *labels_.back();
}

void TWidgets::setLabelText(TDXWLabel& label, const std::string& text) {
  TTextCanvas& canvas = measure_.canvas();
  setWidgetFont(canvas, TDXWLabel::kFontSize, false);
  label.caption = text;
  label.setLeft((displayWidth() - canvas.textWidth(text)) / 2);
}

TDXWEdit& TWidgets::addNumberEdit(const std::string& text, bool numericOnly, int32_t maxValue) {
  TPictureCollectionItem& picture = images_.find("Edit");
  auto edit = std::make_unique<TDXWEdit>();
  edit->setImage(&picture);
  edit->setLeft((displayWidth() - edit->width) / 2);
  edit->setTop(static_cast<int32_t>(buttons_.size() + edits_.size() + 1) * kStackStep + kStackTop);
  edit->numericOnly = numericOnly;
  edit->maxValue = maxValue;
  // Coloured as if the pointer were elsewhere until it first moves: black digits on the dark field
  // could not be read.
  edit->font.color = colorRef(255, 255, 0);
  edit->setText(text);
  edits_.push_back(std::move(edit));
  return *edits_.back();
}

TDXImageCheckBox& TWidgets::addCheckBox(int32_t left, int32_t top, const std::string& caption) {
  TPictureCollectionItem& picture = images_.find("CheckBox");
  auto box = std::make_unique<TDXImageCheckBox>();
  box->image = &picture;
  box->x = left;
  box->y = top;
  box->width = picture.width();
  box->height = picture.height();
  box->caption = caption;
  checkBoxes_.push_back(std::move(box));
  return *checkBoxes_.back();
}

TDXImageListBox& TWidgets::addMapList(int32_t left, int32_t top) {
  TPictureCollectionItem& frame = images_.find("ListBox");
  TPictureCollectionItem& selection = images_.find("ListBoxSelected");
  TPictureCollectionItem& bar = images_.find("ScrollBar");
  auto list = std::make_unique<TDXImageListBox>();
  list->x = left;
  list->y = top;
  list->frameImage = &frame;
  list->selectionImage = &selection;
  list->width = frame.width();
  list->height = frame.height();
  list->visibleRows = kListRows;
  list->items = listLevels(mapsFolder);
  list->scrollBar.image = &bar;
  list->setup();
  if (mapList_) {
    mapList_->visible = false;
    retiredButtons_.push_back(std::move(mapList_));
    ++generation_;
  }
  mapList_ = std::move(list);
  return *mapList_;
}

TDXOptionRow& TWidgets::addOption(const std::string& caption, int32_t left, int32_t top, int32_t width,
                                  int32_t valueLeft) {
  auto row = std::make_unique<TDXOptionRow>();
  row->caption = caption;
  row->x = left;
  row->y = top;
  row->width = width;
  row->height = TDXOptionRow::kHeight;
  row->valueLeft = valueLeft;
  options_.push_back(std::move(row));
  return *options_.back();
}

void TWidgets::hideWidgets() {
  retire(buttons_, retiredButtons_);
  retire(checkBoxes_, retiredButtons_);
  retire(options_, retiredButtons_);
  onBack = nullptr;
  focused_ = nullptr;
  retire(edits_, retiredControls_);
  retire(labels_, retiredControls_);
  ++generation_;
  if (deliveries_ == 0) freeRetired();
}

void TWidgets::widgetsMouse(int x, int y, MouseKind kind) {
  Delivery delivery(*this);
  const uint64_t screen = generation_;
  pointerMoved(x, y);
  for (TDXImageButton* button : snapshot(buttons_)) {
    switch (kind) {
      case MouseKind::Move:
        button->mouseMove(x, y);
        break;
      case MouseKind::Down:
        button->mouseDown(x, y);
        break;
      case MouseKind::Up:
        button->mouseUp();
        break;
    }
    if (generation_ != screen) return;  // the click changed the screen: the rest was the old one's
  }
  for (TDXOptionRow* row : snapshot(options_)) {
    if (kind == MouseKind::Move) row->mouseMove(x, y);
    if (kind == MouseKind::Down) row->mouseDown(x, y);
    if (kind == MouseKind::Up) row->mouseUp();
    if (generation_ != screen) return;
  }
  if (kind == MouseKind::Down)
    for (TDXImageCheckBox* box : snapshot(checkBoxes_)) box->toggleAt(x, y);
  if (onSetupScreen() && mapList_) {
    if (kind == MouseKind::Down) mapList_->scrollBar.mouseDown(x, y);
    if (kind == MouseKind::Down && globals().settings.listClick) mapList_->selectAt(x, y);
    if (kind == MouseKind::Up) mapList_->scrollBar.mouseUp();
  }
}

void TWidgets::widgetsKey(int x, int y, KeyKind kind, unsigned shift, uint8_t character, int keyCode) {
  Delivery delivery(*this);
  const uint64_t screen = generation_;
  for (TDXWEdit* edit : snapshot(edits_)) {
    switch (kind) {
      case KeyKind::KeyDown:
        edit->keyDown(keyCode, shift);
        break;
      case KeyKind::Character:
        edit->keyPress(character);
        break;
      case KeyKind::Hover: {
        // Typing goes to the field under the pointer.
        edit->active = edit->inBounds(x, y);
        edit->font.color = edit->active ? colorRef(255, 255, 255) : colorRef(255, 255, 0);
        break;
      }
    }
    if (generation_ != screen) return;
  }
  if (onSetupScreen() && mapList_)
    mapList_->scrollBar.keyDown(kind == KeyKind::KeyDown ? keyCode : kEnterCode);
}

void TWidgets::drawWidgets(TSurface& target) {
  Delivery delivery(*this);
  keepHighlight();
  for (auto& w : buttons_) w->draw(target);
  for (auto& w : edits_) w->draw(target);
  for (auto& w : labels_) w->draw(target);
  for (auto& w : checkBoxes_) w->draw(target);
  for (auto& w : options_) w->draw(target);
  if (onSetupScreen() && mapList_) mapList_->draw(target);
}

}  // namespace mv
