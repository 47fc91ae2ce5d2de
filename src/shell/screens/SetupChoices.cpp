// The setup screen's last choices, kept in config.cfg as "setupchoice" lines by the widgets' slots (the
// level, the edit fields and the check boxes in their order), so fields the screen gains are kept too.
#include <string>

#include "game/console/TextRules.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

std::string slot(const char* kind, size_t index) {
  return kind + std::to_string(index + 1);
}

}  // namespace

void TMainForm::rememberSetupChoices() {
  if (!state().settings.rememberChoices) return;
  std::vector<std::string> lines;
  if (TDXImageListBox* list = widgets.mapList(); list && !list->items.empty())
    lines.push_back("setupchoice level " + list->currentItem());
  for (size_t i = 0; i < widgets.edits().size(); ++i)
    lines.push_back("setupchoice " + slot("edit", i) + " " + widgets.edits()[i]->caption);
  for (size_t i = 0; i < widgets.checkBoxes().size(); ++i)
    lines.push_back("setupchoice " + slot("box", i) + (widgets.checkBoxes()[i]->checked ? " 1" : " 0"));
  bool changed = false;
  for (const std::string& line : lines) {
    Console->runLine(line, nullptr);
    changed |= config.set(line);
  }
  if (changed) saveConfig();
}

void TMainForm::restoreSetupChoices() {
  if (!state().settings.rememberChoices) return;
  const auto& choices = state().setupChoices;
  auto choice = [&](const std::string& name) -> const std::string* {
    const auto it = choices.find(name);
    return it == choices.end() ? nullptr : &it->second;
  };
  if (const std::string* level = choice("level"); level && widgets.mapList())
    widgets.mapList()->select(*level);
  for (size_t i = 0; i < widgets.edits().size(); ++i) {
    TDXWEdit& edit = *widgets.edits()[i];
    const std::string* value = choice(slot("edit", i));
    // Only a number the field itself could have held.
    if (value && parseInt32(*value) && *parseInt32(*value) >= 0)
      edit.setText(std::to_string(parseBoundedNumber(*value, edit.maxValue)));
  }
  for (size_t i = 0; i < widgets.checkBoxes().size(); ++i)
    if (const std::string* value = choice(slot("box", i))) widgets.checkBoxes()[i]->checked = *value == "1";
}

}  // namespace mv
