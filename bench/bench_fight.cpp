// A busy fight on a shipped level, headless: many bots of the hardest kind, kept armed with every
// weapon, walking, aiming and firing by their own decisions, dying into corpses and gibs and
// respawning, with stray projectiles topped up to a few hundred, explosions, gibs and blood.
// Reported per match frame, in milliseconds: the move pass (the bots' thinking and firing included)
// and the freeing of the dead, the drawing of the view, and one copy of the finished 800 x 600 x
// 16-bit frame, the work every presentation does at least once. A plain copy of that size runs in the
// same program as the yardstick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "FrameMemcpy.h"
#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "game/combatants/Bot.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/combatants/Shot.h"
#include "game/combatants/WeaponTable.h"
#include "game/world/Anim.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "game/world/Images.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/Match.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

namespace fs = std::filesystem;
// The machine is shared: the phases are timed in this thread's processor time, not on the wall clock.
double threadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

constexpr int FrameMs = 16;
constexpr int FrameWidth = 800, FrameHeight = 600;

struct GameFolder {
  GameFolder() { fs::current_path(MASHVOLT_GAME_DIR); }
};

struct Census {
  int shots = 0, blood = 0, gibs = 0, anims = 0, items = 0, alive = 0;
};

class Fight {
 public:
  explicit Fight(int fighters) : platform_(FrameMs), form_(platform_) {
    form_.FormCreate();
    form_.show();
    Globals& g = form_.state();
    g.match = match_.get();
    // As the shipped autoexec.cfg sets them: gibs and corpses fade (the blended drawing is the dearer
    // one), sounds play, and the bots' chat leaves the feed after four seconds.
    g.settings.quality = 1;
    g.settings.soundOn = 1;
    g.settings.msgTime = 4000;
    std::vector<fs::path> levels;
    for (const auto& entry : fs::directory_iterator("Maps"))
      if (entry.path().extension() == ".lvx") levels.push_back(entry.path());
    std::sort(levels.begin(), levels.end());
    if (levels.empty()) return;
    loadLevel(levels.front().string());
    g.screenState = Match;
    const std::vector<TPoint> spots = floorSpots(g.grid);
    for (int i = 0; i < fighters && !spots.empty(); ++i) {
      auto* m = new TBot(&form_.SpriteEngine.engine);  // laziness 0: the hardest
      // Against a few hundred stray shots nobody would stay up for long: most are kept alive (hits
      // still push them and draw blood), every fourth dies and respawns as in a real match.
      m->godMode = i % 4 != 0;
      match_->addFighter(m);
      // Spread over the whole level, as a fight soon is, rather than heaped on the respawn points.
      enter(*m, spots[static_cast<size_t>(i) * spots.size() / static_cast<size_t>(fighters)]);
    }
    if (match_->fighterCount() > 0) {
      // Looking at the middle of the crowd, so the whole screen is busy.
      const TMan& middle = *match_->fighter(match_->fighterCount() / 2);
      camera_ = new TPlayer(&form_.SpriteEngine.engine);  // lends its camera only: it neither moves nor draws
      camera_->movable = false;
      camera_->visible = false;
      camera_->cameraX = FrameWidth / 2.0 - middle.x - 16;
      camera_->cameraY = FrameHeight / 2.0 - middle.y - 23;
    }
    frame_.resize(static_cast<size_t>(FrameWidth) * FrameHeight);
  }

  ~Fight() {
    form_.SpriteEngine.engine.clear();
    form_.state().match = nullptr;
  }

  bool ready() const { return match_->fighterCount() > 0 && match_->respawnCount() > 0; }

  // The bots walk, aim and fire by themselves; they are only kept armed with everything, so that each
  // picks the weapon its target's distance asks for and none runs dry.
  void arm() {
    for (int i = 0; i < match_->fighterCount(); ++i) {
      TMan& m = *match_->fighter(i);
      if (!m.alive()) continue;
      for (int w = 0; w < kWeaponRows; ++w) {
        m.hasWeapon[static_cast<size_t>(w)] = 1;
        if (w != kEnergyGun) m.ammo[static_cast<size_t>(w)] = weaponMaxAmmo(w);
      }
      m.ammo[0] = 1 + (i % kEnergyMaxLevel);
    }
  }

  // A few hundred projectiles and some gibs at all times, however quickly the level eats them.
  void topUp(int shots, int gibs) {
    Census c = census();
    const int n = match_->fighterCount();
    // Stray bullets, pellets, flak and disks; the explosives come from the fighters holding them.
    const int32_t strays[] = {kEnergyGun, kRifle, kShotgun, kFlakCannon, kDiskLauncher, kMinigun};
    std::uniform_int_distribution<int> who(0, n - 1), weapon(0, 5), dir(0, 359), piece(0, 6);
    TSprite* root = &form_.SpriteEngine.engine;
    for (; c.shots < shots; ++c.shots) {
      TMan& m = *match_->fighter(who(random_));
      auto* s = new TShot(root);
      s->launch(m.x + 16, m.y + 16, strays[weapon(random_)], 1 + c.shots % kEnergyMaxLevel);
      s->owner = &m;
      s->setDirection(dir(random_));
    }
    for (; c.gibs < gibs; ++c.gibs) {
      const TMan& m = *match_->fighter(who(random_));
      (new TGib(root))
          ->setup("Doom", static_cast<int32_t>(m.x) + 11, static_cast<int32_t>(m.y) + 10, dir(random_),
                  2 + piece(random_), piece(random_));
    }
  }

  void move() {
    form_.SpriteEngine.move(FrameMs);
    form_.SpriteEngine.dead();
  }
  void draw() { form_.drawSingleView(camera_); }
  void screenshot() {
    saveBitmapFile(form_.DXDraw.surface(), {0, 0, FrameWidth, FrameHeight}, "bench_fight.bmp");
  }
  void copyFrame() {
    const TSurface& back = form_.DXDraw.surface();
    std::memcpy(frame_.data(), back.pixels(), frame_.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(frame_.data());
  }

  Census census() const {
    Census c;
    for (const TSprite* s : form_.SpriteEngine.engine.children()) {
      if (s->killed()) continue;
      if (dynamic_cast<const TShot*>(s))
        ++c.shots;
      else if (dynamic_cast<const TBlood*>(s))
        ++c.blood;
      else if (dynamic_cast<const TGib*>(s))
        ++c.gibs;
      else if (dynamic_cast<const TAnim*>(s))
        ++c.anims;
      else if (dynamic_cast<const TItem*>(s))
        ++c.items;
    }
    for (int i = 0; i < match_->fighterCount(); ++i) c.alive += match_->fighter(i)->alive();
    return c;
  }

 private:
  // Every place a fighter can stand: a solid cell with three free cells above it.
  static std::vector<TPoint> floorSpots(const Grid& grid) {
    std::vector<TPoint> spots;
    for (int row = 3; row <= Grid::Last; ++row)
      for (int col = 0; col <= Grid::Last; ++col)
        if (grid.at(col, row) == CellSolid && grid.at(col, row - 1) == CellEmpty &&
            grid.at(col, row - 2) == CellEmpty && grid.at(col, row - 3) == CellEmpty)
          spots.push_back({col * 16 - 5, row * 16 - 46});
    return spots;
  }

  void enter(TMan& m, TPoint p) {
    m.respawnAt(p.x, p.y);
    if (!m.image) {  // a body without its picture yet still has a fighter's size
      m.image = &modelImage("Doom_R");
      m.width = m.image->width();
      m.height = m.image->height();
      m.hitBox = {(m.width - 22) / 2, 0, (m.width + 22) / 2, 46};
    }
  }

  HeadlessPlatform platform_;
  TMainForm form_;
  std::unique_ptr<TMatch> match_ = std::make_unique<TMatch>();
  TPlayer* camera_ = nullptr;
  std::vector<uint16_t> frame_;
  std::mt19937 random_{7};
};

void BM_FightFrame(benchmark::State& state) {
  GameFolder folder;
  Fight fight(static_cast<int>(state.range(0)));
  if (!fight.ready()) {
    state.SkipWithError("no level with respawn points in Maps");
    return;
  }
  const int shots = static_cast<int>(state.range(1));
  // Into the thick of it before measuring.
  for (int frame = 0; frame < 300; ++frame) {
    fight.topUp(shots, 60);
    fight.arm();
    fight.move();
  }
  // MASHVOLT_FIGHT_SHOT=1 leaves bench_fight.bmp, the scene being measured, in the game folder.
  if (std::getenv("MASHVOLT_FIGHT_SHOT")) {
    fight.draw();
    fight.screenshot();
  }
  double moveMs = 0, drawMs = 0, copyMs = 0;
  double shotsSeen = 0, bloodSeen = 0, gibsSeen = 0, animsSeen = 0, itemsSeen = 0, aliveSeen = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fight.topUp(shots, 60);
    const Census c = fight.census();
    shotsSeen += c.shots, bloodSeen += c.blood, gibsSeen += c.gibs, animsSeen += c.anims;
    itemsSeen += c.items, aliveSeen += c.alive;
    state.ResumeTiming();

    double t = threadMs();
    fight.arm();
    fight.move();
    moveMs += threadMs() - t;
    t = threadMs();
    fight.draw();
    drawMs += threadMs() - t;
    t = threadMs();
    fight.copyFrame();
    copyMs += threadMs() - t;
  }
  using C = benchmark::Counter;
  state.counters["move_ms"] = C(moveMs, C::kAvgIterations);
  state.counters["draw_ms"] = C(drawMs, C::kAvgIterations);
  state.counters["copy_ms"] = C(copyMs, C::kAvgIterations);
  state.counters["shots"] = C(shotsSeen, C::kAvgIterations);
  state.counters["blood"] = C(bloodSeen, C::kAvgIterations);
  state.counters["gibs"] = C(gibsSeen, C::kAvgIterations);
  state.counters["anims"] = C(animsSeen, C::kAvgIterations);
  state.counters["items"] = C(itemsSeen, C::kAvgIterations);
  state.counters["alive"] = C(aliveSeen, C::kAvgIterations);
}
BENCHMARK(BM_FightFrame)->Args({32, 300})->Iterations(300)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace mv
