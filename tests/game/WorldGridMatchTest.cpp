#include <gtest/gtest.h>

#include <climits>

#include "game/Globals.h"
#include "game/world/Grid.h"
#include "game/world/Match.h"
#include "platform/Error.h"

namespace mv {
namespace {

TEST(WorldGrid, MarginsAreEmptyAndNothingOutsideIsTouched) {
  Grid grid;
  // Corners of the array hold what is written there.
  grid.set(-15, -15, CellSolid);
  grid.set(115, 115, CellLethal);
  grid.set(-15, 115, CellPlatform);
  EXPECT_EQ(grid.at(-15, -15), CellSolid);
  EXPECT_EQ(grid.at(115, 115), CellLethal);
  EXPECT_EQ(grid.at(-15, 115), CellPlatform);
  // Column-by-column storage must not alias a neighbouring column's last row.
  EXPECT_EQ(grid.at(-14, -15), CellEmpty);
  EXPECT_EQ(grid.at(-16, 115), CellEmpty);

  // Writes beyond the array are dropped and reads there are empty, however far out.
  for (int64_t far : {int64_t{-16}, int64_t{116}, int64_t{INT_MIN}, int64_t{INT_MAX}, INT64_MIN / 2}) {
    grid.set(far, 0, CellSolid);
    grid.set(0, far, CellSolid);
    EXPECT_EQ(grid.at(far, 0), CellEmpty);
    EXPECT_EQ(grid.at(0, far), CellEmpty);
  }
  EXPECT_EQ(grid.at(0, 0), CellEmpty);

  grid.clear();
  EXPECT_EQ(grid.at(-15, -15), CellEmpty);
  EXPECT_EQ(grid.at(115, 115), CellEmpty);
}

TEST(WorldMatch, RespawnPointsResizeAndOutOfRangeLookups) {
  TMatch match;
  // An empty record: every lookup is (-1, -1), setting the count to 0 changes nothing.
  EXPECT_EQ(match.respawnCount(), 0);
  EXPECT_EQ(match.respawnPoint(0), (TPoint{-1, -1}));
  match.setRespawnCount(0);
  EXPECT_EQ(match.respawnCount(), 0);

  match.addRespawnPoint({10, 20});
  match.addRespawnPoint({30, 40});
  EXPECT_EQ(match.respawnCount(), 2);
  EXPECT_EQ(match.respawnPoint(0), (TPoint{10, 20}));
  EXPECT_EQ(match.respawnPoint(1), (TPoint{30, 40}));
  EXPECT_EQ(match.respawnPoint(2), (TPoint{-1, -1}));
  EXPECT_EQ(match.respawnPoint(-1), (TPoint{-1, -1}));

  // Out-of-range writes are ignored; growing adds (0, 0) points; shrinking keeps the first ones.
  match.setRespawnPoint(5, {1, 1});
  match.setRespawnPoint(-1, {1, 1});
  match.setRespawnCount(4);
  EXPECT_EQ(match.respawnPoint(3), (TPoint{0, 0}));
  match.setRespawnCount(1);
  EXPECT_EQ(match.respawnPoint(0), (TPoint{10, 20}));
  EXPECT_EQ(match.respawnPoint(1), (TPoint{-1, -1}));

  // A negative count is kept as the count but holds no points, and adding to it stores nothing.
  match.setRespawnCount(-3);
  EXPECT_EQ(match.respawnCount(), -3);
  match.addRespawnPoint({7, 7});
  EXPECT_EQ(match.respawnCount(), -2);
  EXPECT_EQ(match.respawnPoint(0), (TPoint{-1, -1}));
}

TEST(WorldMatch, FighterListAndTeardownClearsPlayers) {
  GlobalsScope scope;
  auto match = std::make_unique<TMatch>();
  // Before anyone joins: no fighters and no list to complain about an index.
  EXPECT_EQ(match->fighterCount(), 0);
  EXPECT_EQ(match->fighter(0), nullptr);
  EXPECT_EQ(match->fighter(-5), nullptr);

  // The match keeps references only; these stand for fighters owned by the sprite tree.
  auto* a = reinterpret_cast<TMan*>(uintptr_t{0x1000});
  auto* b = reinterpret_cast<TMan*>(uintptr_t{0x2000});
  match->addFighter(a);
  match->addFighter(b);
  EXPECT_EQ(match->fighterCount(), 2);
  EXPECT_EQ(match->fighter(0), a);
  EXPECT_EQ(match->fighter(1), b);
  try {
    match->fighter(2);
    FAIL() << "no error for an index past the list";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(match->fighter(-1), Error);

  scope.get().player1 = reinterpret_cast<TPlayer*>(uintptr_t{0x3000});
  scope.get().player2 = reinterpret_cast<TPlayer*>(uintptr_t{0x4000});
  match.reset();
  EXPECT_EQ(scope.get().player1, nullptr);
  EXPECT_EQ(scope.get().player2, nullptr);
}

}  // namespace
}  // namespace mv
