// The main window's input: keys, characters, the mouse and the wheel from the window, pad buttons from
// the frame's poll. A message over the screen has them first, then a key binding waiting for its key,
// then the screens as the rules have them, then the menu's highlight.
#include "game/combatants/Player.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

constexpr int kTab = 9, kEnter = 13, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

}  // namespace

void TMainForm::FormKeyDown(int key, unsigned shift) {
  swallowChar_ = 0;
  if (dialog.open()) {
    if (dialog.keyDown(key)) {
      swallowChar_ = key;
    } else if (Console) {
      Console->keyDown(static_cast<uint16_t>(key));
    }
    return;
  }
  if (settingsScreen && settingsScreen->capturing()) {
    settingsScreen->captureKey(key);
    swallowChar_ = -1;  // the key's character, whatever it is
    return;
  }
  screenKeyDown(key, shift, true);
  if (Console) Console->keyDown(static_cast<uint16_t>(key));
}

void TMainForm::screenKeyDown(int key, unsigned shift, bool typed) {
  const ScreenState screen = state().screenState;
  if (key == kEscape) {
    if (screen == PauseMenu)
      resumeMatch();
    else if (screen == Match)
      buildScreen(PauseMenu);
  }
  widgets.widgetsKey(0, 0, KeyKind::KeyDown, shift, 0, key);
  // Esc has done its work in a match; what is typed into the console, where it shows, is the console's.
  const bool inMatch = screen == Match || screen == PauseMenu;
  const bool matchEscape = key == kEscape && inMatch;
  const bool consoleTyping = typed && inMatch && Console && Console->takesKeyboard();
  const ScreenState now = state().screenState;
  // Where a level list stands, Up and Down pick the level.
  if (state().settings.menuKeys && !matchEscape && !consoleTyping && now != Match)
    widgets.menuKey(key, shift, now == NewGame || now == NetHost);
}

void TMainForm::FormKeyPress(uint8_t key) {
  const int swallow = swallowChar_;
  swallowChar_ = 0;
  if (swallow == -1 || swallow == key) return;
  if (!dialog.open()) widgets.widgetsKey(0, 0, KeyKind::Character, 0, key, kEnter);
  if (Console) Console->keyPress(key);
}

void TMainForm::padButton(PadButton button) {
  const Settings& settings = state().settings;
  if (!settings.gamePad) return;
  if (dialog.open()) {
    if (button == PadA || button == PadB || button == PadStart) dialog.close();
    return;
  }
  const ScreenState screen = state().screenState;
  if (screen == Match || !settings.menuKeys) {
    if (button == PadStart && (screen == Match || screen == PauseMenu)) screenKeyDown(kEscape, 0, false);
    return;
  }
  int key = 0;
  unsigned shift = 0;
  switch (button) {
    case PadUp:
      key = kUp;
      break;
    case PadDown:
      key = kDown;
      break;
    case PadLeft:
      key = kLeft;
      break;
    case PadRight:
      key = kRight;
      break;
    case PadA:
      key = kEnter;
      break;
    case PadB:
    case PadStart:
      key = kEscape;
      break;
    case PadRightShoulder:
      key = kTab;
      break;
    case PadLeftShoulder:
      key = kTab;
      shift = ssShift;
      break;
    default:
      return;
  }
  screenKeyDown(key, shift, false);
}

// The wheel belongs to player 1 alone, whatever screen is up; in a network match it travels.
void TMainForm::FormMouseWheelUp() {
  if (net && net->takeWheel(+1)) return;
  if (TPlayer* player = state().player1) player->command(CmdNextWeapon);
}

void TMainForm::FormMouseWheelDown() {
  if (net && net->takeWheel(-1)) return;
  if (TPlayer* player = state().player1) player->command(CmdPrevWeapon);
}

// The screens do not tell the mouse buttons apart: every one is the one button.
void TMainForm::DXDrawMouseDown(int x, int y, unsigned buttons) {
  if (dialog.open()) {
    dialog.mouse(x, y, MouseKind::Down);
    return;
  }
  if (settingsScreen && settingsScreen->capturing()) {
    settingsScreen->captureMouse(buttons & ssRight ? 1 : buttons & ssMiddle ? 2 : 0);
    return;
  }
  widgets.widgetsMouse(x, y, MouseKind::Down);
}

void TMainForm::DXDrawMouseMove(int x, int y) {
  if (dialog.open()) {
    dialog.mouse(x, y, MouseKind::Move);
    return;
  }
  widgets.widgetsMouse(x, y, MouseKind::Move);
  widgets.widgetsKey(x, y, KeyKind::Hover, 0, 0, kEnter);
}

void TMainForm::DXDrawMouseUp(int x, int y) {
  if (dialog.open()) {
    dialog.mouse(x, y, MouseKind::Up);
    return;
  }
  widgets.widgetsMouse(x, y, MouseKind::Up);
}

}  // namespace mv
