// What the game adds to a match's views: the crosshair, the pick-up notice above the weapon bar, the
// time left at a view's top right, the dead person's notice at its centre, and the kill feed. Each is
// drawn only while its setting is on; with all of them off the views are the classic ones.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/draw/TextCanvas.h"
#include "game/combatants/Player.h"
#include "shell/MainForm.h"
#include "shell/MatchTexts.h"

namespace mv {
namespace {

constexpr double kCrosshairDistance = 100;  // pixels from the gun along the aim
constexpr int kCrosshairGap = 2, kCrosshairArm = 5;
constexpr int kMargin = 8;
constexpr int kFeedStep = 15;
constexpr int32_t kFadeMs = 500;  // a kill line darkens over its last half second

// The canvas's font as the classic drawing left it: later classic text inherits it.
class FontKept {
 public:
  explicit FontKept(TTextCanvas& canvas)
      : canvas_(canvas), size_(canvas.fontSize()), bold_(canvas.fontBold()), color_(canvas.fontColor()) {}
  ~FontKept() {
    canvas_.setFontSize(size_);
    canvas_.setFontBold(bold_);
    canvas_.setFontColor(color_);
    canvas_.release();
  }
  FontKept(const FontKept&) = delete;
  FontKept& operator=(const FontKept&) = delete;

 private:
  TTextCanvas& canvas_;
  int size_;
  bool bold_;
  uint32_t color_;
};

uint32_t faded(uint32_t color, int32_t left) {
  if (left >= kFadeMs) return color;
  const auto part = [&](int shift) {
    return ((color >> shift & 0xFF) * static_cast<uint32_t>(std::max(left, 0)) / kFadeMs) << shift;
  };
  return part(0) | part(8) | part(16);
}

}  // namespace

size_t TMainForm::personOf(const TMan& player) const {
  return &player == globals().player2 ? 1 : 0;
}

void TMainForm::drawCrosshair(const TMan& player) {
  if (!player.alive()) return;
  const TSpriteEngine& engine = SpriteEngine.engine;
  const double a = player.fireAngle() * std::numbers::pi / 180;  // 0 up, 90 to the right
  const int cx = static_cast<int>(
      std::lround(engine.x + player.x + player.width / 2.0 + std::sin(a) * kCrosshairDistance));
  const int cy = static_cast<int>(std::lround(engine.y + player.y + 16 - std::cos(a) * kCrosshairDistance));
  TTextCanvas& canvas = DXDraw.surface().canvas();
  const uint32_t penBefore = canvas.penColor();
  // Dark under light, so it shows on bright walls and dark sky alike.
  for (const auto& [shade, offset] :
       {std::pair{colorRef(0, 0, 0), 1}, std::pair{colorRef(255, 255, 255), 0}}) {
    canvas.setPenColor(shade);
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      canvas.moveTo(cx + offset + dx * kCrosshairGap, cy + offset + dy * kCrosshairGap);
      canvas.lineTo(cx + offset + dx * (kCrosshairGap + kCrosshairArm),
                    cy + offset + dy * (kCrosshairGap + kCrosshairArm));
    }
  }
  canvas.setPenColor(penBefore);
  canvas.release();
}

void TMainForm::drawPickupNotice(const TMan& player) {
  const FeedLine* notice = matchFeed.notice(personOf(player));
  if (!notice) return;
  TTextCanvas& canvas = DXDraw.surface().canvas();
  FontKept kept(canvas);
  canvas.setFontSize(12);
  canvas.setFontBold(true);
  canvas.setFontColor(notice->color);
  canvas.textOut(50, DXDraw.height() - 40, notice->text);
}

void TMainForm::drawTimeLeft(int top) {
  const Globals& g = state();
  const int64_t left = g.match ? g.match->rules.timeLeftMs(g.settings.timeLimit) : -1;
  if (left < 0) return;
  TTextCanvas& canvas = DXDraw.surface().canvas();
  FontKept kept(canvas);
  canvas.setFontSize(14);
  canvas.setFontBold(true);
  canvas.setFontColor(left < TMatchRules::kMinuteMs / 6 ? colorRef(255, 64, 64) : colorRef(255, 255, 255));
  const std::string text = clockText(left);
  // Below the frame rate when that is shown in the same corner.
  const int y = top + (top == 0 && g.settings.drawFps ? 16 : 2);
  canvas.textOut(DXDraw.Display.Width - kMargin - canvas.textWidth(text), y, text);
}

void TMainForm::drawDeathNotice(const TMan& player, int top, int height) {
  const std::string& cause = matchFeed.lastDeath(personOf(player));
  // Under a menu the table is what counts; over the end screen nobody comes back.
  if (player.alive() || cause.empty() || state().screenState != Match) return;
  TTextCanvas& canvas = DXDraw.surface().canvas();
  FontKept kept(canvas);
  canvas.setFontSize(14);
  canvas.setFontBold(true);
  const int w = DXDraw.Display.Width;
  const int cy = top + height / 2;
  canvas.setFontColor(colorRef(255, 255, 255));
  canvas.textOut((w - canvas.textWidth(cause)) / 2, cy - 80, cause);
  // Whole seconds left, rounded up: 3, 2, 1.
  const int32_t seconds = (std::max(player.cooldown, 0) + 999) / 1000;
  if (seconds <= 0) return;
  const std::string countdown = respawnNotice(seconds);
  canvas.setFontColor(colorRef(255, 255, 0));
  canvas.textOut((w - canvas.textWidth(countdown)) / 2, cy - 58, countdown);
}

void TMainForm::drawKillFeed() {
  const int32_t lineMs = state().settings.msgTime;
  TTextCanvas& canvas = DXDraw.surface().canvas();
  FontKept kept(canvas);
  canvas.setFontSize(10);
  canvas.setFontBold(true);
  // Under the time left, newest at the bottom.
  int y = 40;
  for (const FeedLine& line : matchFeed.killLines()) {
    canvas.setFontColor(faded(line.color, lineMs - line.age));
    canvas.textOut(DXDraw.Display.Width - kMargin - canvas.textWidth(line.text), y, line.text);
    y += kFeedStep;
  }
}

}  // namespace mv
